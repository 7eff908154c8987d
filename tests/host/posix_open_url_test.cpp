// Opening a URL: the opener gets the URL as one argument, no shell sees it, only web addresses reach it,
// and the child is reaped. POSIX only: a stand-in xdg-open is put first on PATH and children are read from
// /proc. The Windows build hands the URL to the shell's "open" verb, which starts the player's browser;
// nothing can stand in for it (web_address_test checks the scheme check both share).
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "host_fixture.h"
#include "temp_dir.h"

namespace {

// Children of this process that have ended but were not reaped.
int ZombieChildren() {
  int zombies = 0;
  DIR* proc = opendir("/proc");
  while (dirent* e = readdir(proc)) {
    std::ifstream stat(std::string("/proc/") + e->d_name + "/stat");
    std::string line;
    if (!std::getline(stat, line)) continue;
    size_t close = line.rfind(')');
    if (close == std::string::npos) continue;
    char state = 0;
    int ppid = 0;
    if (sscanf(line.c_str() + close + 1, " %c %d", &state, &ppid) == 2 && ppid == getpid() && state == 'Z') ++zombies;
  }
  closedir(proc);
  return zombies;
}

bool WaitFor(const std::function<bool()>& done) {
  for (int i = 0; i < 500; ++i) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return done();
}

class OpenUrlTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    const char* path = getenv("PATH");
    oldPath = path ? path : "";
  }
  void TearDown() override {
    setenv("PATH", oldPath.c_str(), 1);
    HostTest::TearDown();
  }
  std::string oldPath;
};

TEST_F(OpenUrlTest, UrlIsOneArgumentAndNeverShellText) {
  TempWorkingDir tmp;
  // A stand-in opener that records its arguments, one per line.
  WriteFile("xdg-open", "#!/bin/sh\necho \"$#\" > args.tmp\nprintf '%s\\n' \"$@\" >> args.tmp\n/bin/mv args.tmp args\n");
  chmod("xdg-open", 0755);
  setenv("PATH", tmp.path().c_str(), 1);
  const std::string url = "http://example.invalid/a b?x=1;touch pwned&y=$(touch pwned2)`touch pwned3`";
  host->OpenUrl(String(url.c_str()));
  ASSERT_TRUE(WaitFor([] { return access("args", F_OK) == 0; }));
  EXPECT_EQ(ReadFile("args"), "1\n" + url + "\n");
  for (const char* f : {"pwned", "pwned2", "pwned3"}) EXPECT_NE(access(f, F_OK), 0) << f;
  EXPECT_TRUE(WaitFor([] { return ZombieChildren() == 0; }));
}

TEST_F(OpenUrlTest, NothingHappensWithoutAnOpenerOrForWhatIsNoWebAddress) {
  TempWorkingDir tmp;
  setenv("PATH", tmp.path().c_str(), 1);  // no xdg-open here
  host->OpenUrl(String("http://example.invalid/"));
  WriteFile("xdg-open", "#!/bin/sh\n: > ran\n");
  chmod("xdg-open", 0755);
  // An option of the opener, a local file or program, another scheme: none reaches the opener.
  for (const char* url : {"--help", "", "/usr/bin/xterm", "file:///etc/passwd", "xterm.desktop", "javascript:x"}) {
    host->OpenUrl(String(url));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_NE(access("ran", F_OK), 0);
  EXPECT_EQ(ZombieChildren(), 0);
  // The scheme in capitals is a web address all the same.
  host->OpenUrl(String("HTTPS://example.invalid/"));
  EXPECT_TRUE(WaitFor([] { return access("ran", F_OK) == 0; }));
  EXPECT_TRUE(WaitFor([] { return ZombieChildren() == 0; }));
}

}  // namespace
