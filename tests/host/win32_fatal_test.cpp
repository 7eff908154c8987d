// The fatal paths of the Windows build: an uncaught exception, a runtime error, the C runtime's signals and
// a processor exception each print "Trazel Runtime Error : " and the message to standard output and end
// with status 255 at once, whatever standard input is; the debugger prompt only answers when asked for.
//
// Each case runs in a child: this test program started again with VX_FATAL_CASE naming the case. A global
// test environment runs the case before any test, once the child's own start-up has printed what it
// prints. The child gets its output pipe as standard error and the null device as standard output, and
// swaps the two just before the case, so the pipe holds exactly what the case wrote to standard output.
//
// A stack overflow has no case here: Wine 8, where these tests run, never calls the unhandled-exception
// filter for one (a worker thread ends silently, the main thread's overflow ends the process with 1), with
// or without the thread's stack guarantee; Windows calls it within the guaranteed room.
#include <windows.h>

#include <io.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "host/platform.h"
#include "host_fixture.h"
#include "runtime/error.h"

namespace {

void SetDebugger(bool attached) {
  host_SetEnvironment("VX_DEBUGGER", attached ? "1" : nullptr);
  rtFatalInit();
}

// A thread that takes a lock and keeps it, the way a crash can leave one held.
void HoldForEver(void (*hold)()) {
  std::thread([hold] {
    hold();
    for (;;) Sleep(INFINITE);
  }).detach();
  Sleep(100);
}

// A processor exception, as a real crash raises it: a write to a page that may not be touched.
void Crash() {
  void* page = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_NOACCESS);
  *static_cast<volatile int*>(page) = 1;
}

void Signal(int sig) {
  SetDebugger(false);
  sighandle(sig);
}

// Marks the end of the output from the fatal path's flush routine (no stdio there: it may be held).
void WithFlushMark(void (*fail)()) {
  SetDebugger(false);
  InstallFatalSignalHandlers();
  rtSetFatalFlush([] {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), "flushed\n", 8, &written, nullptr);
  });
  fail();
}

void CrashHolding(void (*hold)()) {
  SetDebugger(false);
  InstallFatalSignalHandlers();
  HoldForEver(hold);
  Crash();
}

// The bodies of the child processes, by name.
const struct ChildCase {
  const char* name;
  void (*body)();
} kChildCases[] = {
    {"die",
     [] {
       SetDebugger(false);
       RtGame game;
       game.Die(new ThrowableObject);
     }},
    {"error",
     [] {
       SetDebugger(false);
       rtError(String("boom"));
     }},
    {"error at the console",
     [] {
       // Standard input is the console this child was started with.
       SetStdHandle(STD_INPUT_HANDLE, CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                  nullptr, OPEN_EXISTING, 0, nullptr));
       SetDebugger(false);
       rtError(String("boom"));
     }},
    {"error with a debugger",
     [] {
       SetDebugger(true);
       rtError(String("boom"));
     }},
    {"SIGFPE", [] { Signal(SIGFPE); }},
    {"SIGSEGV", [] { Signal(SIGSEGV); }},
    {"SIGILL", [] { Signal(SIGILL); }},
    {"SIGTERM", [] { Signal(SIGTERM); }},
    {"crash",
     [] {
       SetDebugger(false);
       InstallFatalSignalHandlers();
       Crash();
     }},
    {"crash holding standard output's lock", [] { CrashHolding([] { _lock_file(stdout); }); }},
    {"crash holding standard error's lock", [] { CrashHolding([] { _lock_file(stderr); }); }},
    {"crash holding the process heap's lock", [] { CrashHolding([] { HeapLock(GetProcessHeap()); }); }},
    {"flush after a runtime error", [] { WithFlushMark([] { rtError(String("boom")); }); }},
    {"flush after a signal", [] { WithFlushMark([] { raise(SIGSEGV); }); }},
    {"flush after a crash", [] { WithFlushMark(Crash); }},
};

// In a child, runs its case before any test; the case ends the process.
class ChildCaseRunner : public ::testing::Environment {
 public:
  void SetUp() override {
    const char* name = std::getenv("VX_FATAL_CASE");
    if (!name) return;
    // The C runtime's descriptors (rtPrint's), then the system's handles (the fatal console's) to match:
    // _dup2 closes the handles it replaces.
    fflush(stdout);
    fflush(stderr);
    const int nul = _dup(1);
    _dup2(2, 1);
    _dup2(nul, 2);
    _close(nul);
    SetStdHandle(STD_OUTPUT_HANDLE, HANDLE(_get_osfhandle(1)));
    SetStdHandle(STD_ERROR_HANDLE, HANDLE(_get_osfhandle(2)));
    for (const ChildCase& c : kChildCases) {
      if (std::strcmp(c.name, name) == 0) c.body();
    }
    ExitProcess(99);  // the case did not end the process, or there is no such case
  }
};
::testing::Environment* const g_childCaseRunner = ::testing::AddGlobalTestEnvironment(new ChildCaseRunner);

enum class Input {
  kSilentPipe,  // a pipe whose write end stays open and silent: a read from it blocks for ever
  kText,        // a pipe holding the given text, then its end
  kNul,         // the null device
  kConsole,     // a console of the child's own, where nobody types
};

// What a child did: its exit status (-1 when it had to be ended after ten seconds), and what it wrote to
// standard output.
struct ChildRun {
  int status = -1;
  std::string out;
};

ChildRun RunChild(const char* caseName, Input input, const std::string& text = std::string()) {
  ChildRun run;
  SECURITY_ATTRIBUTES inherit = {sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE outRead = nullptr, outWrite = nullptr, inRead = nullptr, inWrite = nullptr;
  if (!CreatePipe(&outRead, &outWrite, &inherit, 1 << 16)) return run;
  SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
  HANDLE nul = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                           OPEN_EXISTING, 0, nullptr);
  HANDLE in = nul;
  if (input == Input::kSilentPipe || input == Input::kText) {
    CreatePipe(&inRead, &inWrite, &inherit, 1 << 16);
    SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);
    DWORD written = 0;
    if (!text.empty()) WriteFile(inWrite, text.data(), DWORD(text.size()), &written, nullptr);
    if (input == Input::kText) {
      CloseHandle(inWrite);
      inWrite = nullptr;
    }
    in = inRead;
  }

  // The same test program, running only the current test (an environment is set up only when a test is
  // to run), with the case's name in its environment.
  wchar_t exe[32768];
  GetModuleFileNameW(nullptr, exe, 32768);
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string filter = std::string("--gtest_filter=") + info->test_suite_name() + "." + info->name();
  std::wstring command = L"\"" + std::wstring(exe) + L"\" " + std::wstring(filter.begin(), filter.end());
  host_SetEnvironment("VX_FATAL_CASE", caseName);
  STARTUPINFOW startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = nul;
  startup.hStdError = outWrite;
  PROCESS_INFORMATION process;
  const DWORD flags = input == Input::kConsole ? CREATE_NEW_CONSOLE : 0;
  BOOL started = CreateProcessW(exe, &command[0], nullptr, nullptr, TRUE, flags, nullptr, nullptr, &startup, &process);
  host_SetEnvironment("VX_FATAL_CASE", nullptr);
  CloseHandle(outWrite);
  CloseHandle(nul);
  if (inRead) CloseHandle(inRead);
  if (started) {
    CloseHandle(process.hThread);
    if (WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(process.hProcess, &code);
      run.status = int(code);
    } else {
      TerminateProcess(process.hProcess, 1);
      WaitForSingleObject(process.hProcess, INFINITE);
    }
    CloseHandle(process.hProcess);
    char buf[512];
    DWORD got = 0;
    while (ReadFile(outRead, buf, sizeof buf, &got, nullptr) && got > 0) run.out.append(buf, got);
  }
  if (inWrite) CloseHandle(inWrite);
  CloseHandle(outRead);
  return run;
}

TEST(Fatal, DieReportsTheUncaughtException) {
  ChildRun run = RunChild("die", Input::kNul);
  EXPECT_EQ(run.status, 255);
  // Written like the runtime error's lines, so that a player without a console sees it in a message box.
  EXPECT_EQ(run.out, "Trazel Runtime Error : Uncaught Trazel Exception\n");
}

// Started from a console, nothing may wait for the console: the player would look at a dead window.
TEST(Fatal, ARuntimeErrorEndsAtOnceWhateverStandardInputIs) {
  const struct {
    const char* name;
    const char* childCase;
    Input input;
  } inputs[] = {{"a console", "error at the console", Input::kConsole},
                {"a silent pipe", "error", Input::kSilentPipe},
                {"the null device", "error", Input::kNul}};
  for (const auto& in : inputs) {
    ChildRun run = RunChild(in.childCase, in.input);
    EXPECT_EQ(run.status, 255) << in.name << (run.status < 0 ? ": hung" : "");
    EXPECT_EQ(run.out, "Trazel Runtime Error : boom\n\n") << in.name;
  }
}

// With a debugger attached the prompt reads its commands from standard input.
TEST(Fatal, TheDebuggerPromptAnswersWhenAttached) {
  const std::string error = "Trazel Runtime Error : boom\n\n";
  const struct {
    std::string input;
    int status;
    std::string out;
  } cases[] = {
      {"q\n", 0, error},
      {"?\n@0x1234\nq\n", 0, error},
      {"huh\n", 255, error + "????? huh ?????\n"},
      {"", 255, error},
      {"q", 255, error},                           // no line feed
      {std::string(300, 'x') + "\n", 255, error},  // longer than a prompt line
      {"r\n", 255, error + error},                 // runs on, errs again
  };
  for (const auto& c : cases) {
    ChildRun run = RunChild("error with a debugger", Input::kText, c.input);
    EXPECT_EQ(run.status, c.status) << c.input;
    EXPECT_EQ(run.out, c.out) << c.input;
  }
}

TEST(Fatal, SignalsBecomeRuntimeErrors) {
  const struct {
    const char* childCase;
    const char* text;
  } cases[] = {{"SIGFPE", "Floating point exception"},
               {"SIGSEGV", "Memory access violation"},
               {"SIGILL", "Illegal instruction"},
               {"SIGTERM", "Unknown signal"}};
  for (const auto& c : cases) {
    ChildRun run = RunChild(c.childCase, Input::kNul);
    EXPECT_EQ(run.status, 255) << c.childCase;
    EXPECT_EQ(run.out, std::string("Trazel Runtime Error : ") + c.text + "\n\n") << c.childCase;
  }
}

// The processor's exceptions reach the unhandled-exception filter, which ends the process with the message;
// no lock another thread holds may stop it.
TEST(Fatal, ARealCrashEndsWithTheMessageEvenWhileLocksAreHeld) {
  for (const char* childCase : {"crash", "crash holding standard output's lock", "crash holding standard error's lock",
                                 "crash holding the process heap's lock"}) {
    ChildRun run = RunChild(childCase, Input::kNul);
    EXPECT_EQ(run.status, 255) << childCase << (run.status < 0 ? ": hung" : "");
    EXPECT_EQ(run.out, "Trazel Runtime Error : Memory access violation\n\n") << childCase;
  }
}

// The journal's last records are written by the routine the fatal path runs just before the end: after
// the message, on the runtime error's path, the C runtime's signal's and the exception filter's.
TEST(Fatal, TheFatalPathRunsItsFlushBeforeTheEnd) {
  const struct {
    const char* childCase;
    const char* message;
  } cases[] = {{"flush after a runtime error", "Trazel Runtime Error : boom\n\n"},
               {"flush after a signal", "Trazel Runtime Error : Memory access violation\n\n"},
               {"flush after a crash", "Trazel Runtime Error : Memory access violation\n\n"}};
  for (const auto& c : cases) {
    ChildRun run = RunChild(c.childCase, Input::kNul);
    EXPECT_EQ(run.status, 255) << c.childCase;
    EXPECT_EQ(run.out, std::string(c.message) + "flushed\n") << c.childCase;
  }
}

}  // namespace
