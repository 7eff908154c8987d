// The state file on Windows while another program holds it open, as a virus scanner or a folder-syncing
// program does for a moment: the save waits briefly and succeeds; held for longer, it fails and the old
// state stays.
#include <windows.h>

#include <chrono>
#include <thread>

#include "host_fixture.h"
#include "temp_dir.h"

namespace {

// Opens the state file without letting others replace it, for `ms` milliseconds.
std::thread HoldStateFile(int ms) {
  HANDLE h = CreateFileW(L".trazelstate", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(h, INVALID_HANDLE_VALUE);
  return std::thread([h, ms] {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    CloseHandle(h);
  });
}

TEST_F(HostTest, ASaveWaitsForAMomentaryHolderAndFailsForALongOne) {
  TempWorkingDir tmp;
  ASSERT_EQ(host->SaveState(String("old")), 0);

  std::thread brief = HoldStateFile(150);
  EXPECT_EQ(host->SaveState(String("new")), 0);
  brief.join();
  EXPECT_EQ(ReadFile(".trazelstate"), "new");

  std::thread longer = HoldStateFile(3000);
  EXPECT_EQ(host->SaveState(String("lost")), -1);
  longer.join();
  EXPECT_EQ(ReadFile(".trazelstate"), "new");
  EXPECT_EQ(GetFileAttributesW(L".trazelstate.tmp"), INVALID_FILE_ATTRIBUTES) << "no temporary file is left";
}

}  // namespace
