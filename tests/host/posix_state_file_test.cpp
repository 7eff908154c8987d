// The state file when the disk fills during a save (POSIX only: the full disk is a file-size limit of the
// saving process, set with setrlimit, which Windows has no counterpart of).
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include "host_fixture.h"
#include "temp_dir.h"

namespace {

TEST_F(HostTest, ShortWriteKeepsTheOldStateAndLeavesNoTemporaryFile) {
  TempWorkingDir tmp;
  ASSERT_EQ(host->SaveState(String("old")), 0);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // In a child whose files may not grow beyond 16 bytes (a full disk, as far as the save can tell).
  EXPECT_EXIT(
      {
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit;
        limit.rlim_cur = limit.rlim_max = 16;
        setrlimit(RLIMIT_FSIZE, &limit);
        exit(-host->SaveState(String(std::string(100000, 'x').c_str())));
      },
      ::testing::ExitedWithCode(2), "");
  EXPECT_EQ(ReadFile(".trazelstate"), "old");
  EXPECT_NE(access(".trazelstate.tmp", F_OK), 0);
}

}  // namespace
