// The state file: exact bytes, replacement by rename, and failed saves that keep the old state.
#include "host_fixture.h"
#include "support/test_os.h"
#include "temp_dir.h"

namespace {

TEST_F(HostTest, SaveStateWritesOneUtf8SequencePerUnit) {
  TempWorkingDir tmp;
  // One-, two- and three-byte units, and a surrogate pair written as two three-byte sequences.
  const Char units[] = {'A', 0xE9, 0x20AC, 0xD83D, 0xDE00};
  EXPECT_EQ(host->SaveState(String(units, 5)), 0);
  EXPECT_EQ(ReadFile(".trazelstate"), "A\xC3\xA9\xE2\x82\xAC\xED\xA0\xBD\xED\xB8\x80");
  EXPECT_FALSE(vxtest::Exists(".trazelstate.tmp"));  // the temporary file was renamed away

  EXPECT_EQ(host->SaveState(String()), 0);
  EXPECT_EQ(ReadFile(".trazelstate"), "");
  EXPECT_EQ(host->LoadState().Length(), 0);
}

TEST_F(HostTest, SaveThatCannotOpenKeepsTheOldState) {
  TempWorkingDir tmp;
  ASSERT_EQ(host->SaveState(String("old")), 0);
  ASSERT_TRUE(vxtest::MakeDir(".trazelstate.tmp"));  // the temporary file cannot be created
  EXPECT_EQ(host->SaveState(String("new")), -1);
  EXPECT_EQ(ReadFile(".trazelstate"), "old");
}

}  // namespace
