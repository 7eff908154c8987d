// Generating the data folder again gives the same bytes, and the review contact sheet can be drawn.
// Linux only: the data generator is built and run on the build machine only; the Windows build takes the
// data folder it made.
#include <gtest/gtest.h>
#include <stb/stb_image.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "data_files.h"

namespace fs = std::filesystem;

namespace {

// Runs the generator with arguments (no shell involved); returns its exit status, -1 if it did not run.
int RunGenerator(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  std::string exe = vxdata::Generator();
  argv.push_back(exe.data());
  std::vector<std::string> copy = args;
  for (std::string& a : copy) argv.push_back(a.data());
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    execv(exe.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

std::set<std::string> Files(const fs::path& root) {
  std::set<std::string> names;
  for (const auto& e : fs::recursive_directory_iterator(root))
    if (e.is_regular_file()) names.insert(fs::relative(e.path(), root).string());
  return names;
}

class DataRegenerate : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/vx_data_test.XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
  }
  void TearDown() override {
    std::error_code ec;
    if (!dir_.empty()) fs::remove_all(dir_, ec);
  }
  fs::path dir_;
};

TEST_F(DataRegenerate, SecondRunWritesTheSameBytesAndAContactSheet) {
  ASSERT_TRUE(fs::exists(vxdata::Generator())) << vxdata::Generator();
  const fs::path out = dir_ / "data";
  ASSERT_EQ(RunGenerator({out.string()}), 0);
  const std::set<std::string> built = Files(vxdata::DataDir()), again = Files(out);
  EXPECT_EQ(built, again);
  for (const std::string& name : again)
    EXPECT_TRUE(vxdata::ReadFile(vxdata::DataDir() + "/" + name) == vxdata::ReadFile((out / name).string()))
        << name << " differs between runs";

  const fs::path sheet = dir_ / "sheet.png";
  ASSERT_EQ(RunGenerator({"--contact-sheet", sheet.string(), out.string()}), 0);
  int w = 0, h = 0, n = 0;
  EXPECT_EQ(stbi_info(sheet.c_str(), &w, &h, &n), 1);
  EXPECT_GT(w * h, 0);
  // A missing folder is reported as a failure, not a crash.
  EXPECT_NE(RunGenerator({"--contact-sheet", (dir_ / "none.png").string(), (dir_ / "missing").string()}), 0);
}

}  // namespace
