// A fresh temporary folder that is the working directory for the length of a test.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

class TempWorkingDir {
 public:
  TempWorkingDir() {
    char tmpl[] = "/tmp/vx_host_XXXXXX";
    path_ = mkdtemp(tmpl);
    char cwd[4096];
    old_ = getcwd(cwd, sizeof cwd) ? cwd : "/";
    EXPECT_EQ(chdir(path_.c_str()), 0);
  }
  ~TempWorkingDir() {
    if (chdir(old_.c_str()) != 0) perror("chdir");
    std::string cmd = "rm -rf '" + path_ + "'";
    if (system(cmd.c_str()) != 0) perror("rm");
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_, old_;
};

// Whole-file helpers for checking what the host wrote.
inline std::string ReadFile(const std::string& name) {
  std::string s;
  if (FILE* f = fopen(name.c_str(), "rb")) {
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
    fclose(f);
  }
  return s;
}

inline void WriteFile(const std::string& name, const std::string& bytes) {
  FILE* f = fopen(name.c_str(), "wb");
  ASSERT_NE(f, nullptr) << name;
  fwrite(bytes.data(), 1, bytes.size(), f);
  fclose(f);
}
