// Saves cut off by TerminateProcess at any moment (what the task manager's "End task" does): the state file
// left behind always loads whole, as either the state saved before or the one being saved. For each cut a
// child process (this test program started again with VX_KILL_SAVER_DIR) saves two different states in
// turn into the test's folder; once it has saved, the test ends it after a random few milliseconds and
// reads the file. A fresh process per cut costs more here than a fork does elsewhere, hence fewer cuts.
#include <windows.h>

#include <cstdlib>
#include <random>
#include <string>

#include "host/platform.h"
#include "save_states.h"
#include "support/game_harness.h"
#include "support/test_os.h"

namespace {

// In a child, saves for ever into the folder named by VX_KILL_SAVER_DIR, and says so on standard error
// after the first save. A global test environment runs it before any test.
class Saver : public ::testing::Environment {
 public:
  void SetUp() override {
    const char* dir = std::getenv("VX_KILL_SAVER_DIR");
    if (!dir) return;
    GameHarness h;
    const std::string own = h.workDir;
    if (!vxtest::ChangeDir(dir)) ExitProcess(98);
    vxtest::RemoveTree(own);  // the harness's own folder is not used: nothing else would remove it
    HANDLE ready = GetStdHandle(STD_ERROR_HANDLE);
    for (int v = 0, saves = 0;; v ^= 1, ++saves) {
      FillState(h.app, v);
      h.app->p_Save();
      DWORD written = 0;
      if (saves == 0) WriteFile(ready, "s", 1, &written, nullptr);
    }
  }
};
::testing::Environment* const g_saver = ::testing::AddGlobalTestEnvironment(new Saver);

// Starts a saver in `dir`; waits until it has saved once, then lets it save on for `ms` milliseconds and
// ends it. False when the child did not start or never saved.
bool SaveAndCut(const std::string& dir, int ms) {
  SECURITY_ATTRIBUTES inherit = {sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE readyRead = nullptr, readyWrite = nullptr;
  if (!CreatePipe(&readyRead, &readyWrite, &inherit, 0)) return false;
  SetHandleInformation(readyRead, HANDLE_FLAG_INHERIT, 0);
  HANDLE nul = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                           OPEN_EXISTING, 0, nullptr);
  wchar_t exe[32768];
  GetModuleFileNameW(nullptr, exe, 32768);
  // An environment is set up only when a test is to run: the child runs this one (it never gets to it).
  std::wstring command = L"\"" + std::wstring(exe) + L"\" --gtest_filter=KillDuringSave.*";
  host_SetEnvironment("VX_KILL_SAVER_DIR", dir.c_str());
  STARTUPINFOW startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nul;
  startup.hStdOutput = nul;
  startup.hStdError = readyWrite;
  PROCESS_INFORMATION process;
  BOOL started = CreateProcessW(exe, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
  host_SetEnvironment("VX_KILL_SAVER_DIR", nullptr);
  CloseHandle(readyWrite);
  CloseHandle(nul);
  bool saved = false;
  if (started) {
    CloseHandle(process.hThread);
    char byte = 0;
    DWORD got = 0;
    // The read ends with the child's first save, or with its end (the pipe then breaks).
    saved = ReadFile(readyRead, &byte, 1, &got, nullptr) && got == 1;
    if (saved) Sleep(DWORD(ms));
    TerminateProcess(process.hProcess, 9);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hProcess);
  }
  CloseHandle(readyRead);
  return saved;
}

}  // namespace

TEST(KillDuringSave, EveryCutLeavesAWholeStateFile) {
  GameHarness h;
  ASSERT_TRUE(h.FinishLoading());
  c_MyApp* app = h.app;

  FillState(app, 0);
  app->p_Save();
  const std::string a = h.StateFile();
  FillState(app, 1);
  app->p_Save();
  const std::string b = h.StateFile();
  ASSERT_NE(a, b);
  for (const std::string* s : {&a, &b}) {
    h.WriteStateFile(*s);
    ASSERT_EQ(LoadMessages(app), "Settings Loaded\nBadges Loaded\nHighscores Loaded\n");
  }

  const char* env = std::getenv("VX_KILL_ITERATIONS");
  const int iterations = env ? std::atoi(env) : 40;
  std::mt19937 rng(20261210);
  int seenA = 0, seenB = 0;
  for (int i = 0; i < iterations; ++i) {
    ASSERT_TRUE(SaveAndCut(h.workDir, int(rng() % 12))) << "the saver did not save, cut " << i;
    const std::string left = h.StateFile();
    if (left == a) {
      ++seenA;
    } else if (left == b) {
      ++seenB;
    } else {
      ADD_FAILURE() << "cut " << i << " left a state file of " << left.size() << " bytes that is neither state";
      break;
    }
  }
  // Both states were seen, so the cuts did land between and during saves.
  EXPECT_GT(seenA, 0);
  EXPECT_GT(seenB, 0);
  std::printf("%d cuts: %d left the first state, %d the second\n", iterations, seenA, seenB);
}
