// The state file: exact bytes, replacement by rename, and failed saves that keep the old state.
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include "host_fixture.h"
#include "temp_dir.h"

namespace {

TEST_F(HostTest, SaveStateWritesOneUtf8SequencePerUnit) {
  TempWorkingDir tmp;
  // One-, two- and three-byte units, and a surrogate pair written as two three-byte sequences.
  const Char units[] = {'A', 0xE9, 0x20AC, 0xD83D, 0xDE00};
  EXPECT_EQ(host->SaveState(String(units, 5)), 0);
  EXPECT_EQ(ReadFile(".trazelstate"), "A\xC3\xA9\xE2\x82\xAC\xED\xA0\xBD\xED\xB8\x80");
  EXPECT_NE(access(".trazelstate.tmp", F_OK), 0);  // the temporary file was renamed away

  EXPECT_EQ(host->SaveState(String()), 0);
  EXPECT_EQ(ReadFile(".trazelstate"), "");
  EXPECT_EQ(host->LoadState().Length(), 0);
}

TEST_F(HostTest, SaveThatCannotOpenKeepsTheOldState) {
  TempWorkingDir tmp;
  ASSERT_EQ(host->SaveState(String("old")), 0);
  ASSERT_EQ(mkdir(".trazelstate.tmp", 0700), 0);  // the temporary file cannot be created
  EXPECT_EQ(host->SaveState(String("new")), -1);
  EXPECT_EQ(ReadFile(".trazelstate"), "old");
}

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
