// The fatal paths of the Windows build: an uncaught exception, a runtime error, the C runtime's signals and
// a processor exception each print "Trazel Runtime Error : " and the message to standard output and end
// with status 255 at once, whatever standard input is; the debugger prompt only answers when asked for.
//
// Each case runs in a child: this test program started again with VX_FATAL_CASE naming the case. A global
// test environment runs the case before any test, once the child's own start-up has printed what it
// prints. The child gets its output pipe as standard error and the null device as standard output, and
// swaps the two just before the case, so the pipe holds exactly what the case wrote to standard output.
// A child started as from the desktop has no standard output at all: its fatal message shows in a message
// box, which the test finds, reads and closes (a box that never shows fails the case), and the pipe on its
// standard error takes the case's own marks.
//
// A stack overflow has no case here: Wine 8, where these tests run, never calls the unhandled-exception
// filter for one (a worker thread ends silently, the main thread's overflow ends the process with 1), with
// or without the thread's stack guarantee; Windows calls it within the guaranteed room.
#include <windows.h>

#include <io.h>
#include <tlhelp32.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "host/backend/glfw2_null.h"
#include "host/platform.h"
#include "host_fixture.h"
#include "net/thread.h"
#include "runtime/error.h"

namespace {

// Where a child's case writes its marks: the pipe the test reads.
HANDLE g_marks = nullptr;

void Mark(const char* text) {
  DWORD written = 0;
  WriteFile(g_marks, text, DWORD(std::strlen(text)), &written, nullptr);
}

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
void MarkTheFlush() {
  rtSetFatalFlush([] { Mark("flushed\n"); });
}

void WithFlushMark(void (*fail)()) {
  SetDebugger(false);
  InstallFatalSignalHandlers();
  MarkTheFlush();
  fail();
}

// Several threads that crash at the same moment, while the game thread waits.
void CrashAtOnce() {
  SetDebugger(false);
  InstallFatalSignalHandlers();
  MarkTheFlush();
  static std::atomic<bool> go{false};
  struct Crasher : RtThread {
    void Run__UNSAFE__() override {
      while (!go.load()) {
      }
      Crash();
    }
  };
  for (int i = 0; i < 4; ++i) (new Crasher)->Start();
  Sleep(100);
  go.store(true);
  for (;;) Sleep(INFINITE);
}

// The game as a player has it: the host's window through the real GLFW backend, and a delegate that marks
// every call into game code once the fault is under way. On its tenth update it makes the fault.
struct MarkingDelegate : RtGameDelegate {
  static std::atomic<bool> faulting;
  int updates = 0;
  void (*fault)() = nullptr;

  static void Ran(const char* what) {
    if (faulting.load()) Mark(what);
  }
  void UpdateGame() override {
    Ran("update\n");
    if (++updates == 10) fault();
  }
  void RenderGame() override { Ran("render\n"); }
  void SuspendGame() override { Ran("suspend\n"); }
  void ResumeGame() override { Ran("resume\n"); }
  void KeyEvent(int, int) override { Ran("key\n"); }
  void MouseEvent(int, int, float, float) override { Ran("mouse\n"); }
};
std::atomic<bool> MarkingDelegate::faulting{false};

// Ends the processes this one started: the game's message box process, so that the game shows the box
// itself, as it does when that process could not be started.
void EndBoxProcess() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry;
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    if (entry.th32ParentProcessID != GetCurrentProcessId()) continue;
    HANDLE child = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
    if (child && TerminateProcess(child, 0)) WaitForSingleObject(child, INFINITE);
    if (child) CloseHandle(child);
  }
  CloseHandle(snapshot);
}

void PlayUntil(void (*fault)(), bool ownBox = false) {
  SetDebugger(false);
  InstallFatalSignalHandlers();
  if (ownBox) EndBoxProcess();
  MarkTheFlush();
  LoadLibraryW(L"xinput1_4.dll");  // see the adapter's tests: Wine 8 may unmap it under a running thread
  glfw2_SetBackend(nullptr);
  if (!glfwInit()) ExitProcess(98);
  RtGlfwGame* game = new RtGlfwGame;
  MarkingDelegate* delegate = new MarkingDelegate;
  delegate->fault = fault;
  game->SetDelegate(delegate);
  game->Run();
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
    {"crashes at once", CrashAtOnce},
    {"a runtime error in an update",
     [] {
       PlayUntil([] {
         MarkingDelegate::faulting.store(true);
         rtError(String("boom"));
       });
     }},
    {"a runtime error in an update, shown by the game itself",
     [] {
       PlayUntil(
           [] {
             MarkingDelegate::faulting.store(true);
             rtError(String("boom"));
           },
           true);
     }},
    {"a crash on another thread",
     [] {
       PlayUntil([] {
         struct Crasher : RtThread {
           void Run__UNSAFE__() override {
             MarkingDelegate::faulting.store(true);
             Crash();
           }
         };
         (new Crasher)->Start();
       });
     }},
    {"no window",
     [] {
       SetDebugger(false);
       glfw2null_Install();
       glfw2null_World().failOpen = true;
       RtGlfwGame game;
       game.Run();
     }},
    {"no window system",
     [] {
       SetDebugger(false);
       glfw2null_Install();
       glfw2null_World().initResult = 0;
       const char* argv[] = {"vextrallis.exe", nullptr};
       RtTrazelGame::Main(1, argv);
     }},
};

// In a child, runs its case before any test; the case ends the process.
class ChildCaseRunner : public ::testing::Environment {
 public:
  void SetUp() override {
    const char* name = std::getenv("VX_FATAL_CASE");
    if (!name) return;
    if (!GetStdHandle(STD_OUTPUT_HANDLE)) {
      g_marks = GetStdHandle(STD_ERROR_HANDLE);  // started as from the desktop
    } else {
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
      g_marks = GetStdHandle(STD_OUTPUT_HANDLE);
    }
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

// Where a child's standard output goes.
enum class Output {
  kPipe,     // the pipe the test reads
  kDesktop,  // nowhere, as for a program started from the desktop: the case's marks go to the pipe
};

// What a child did: its exit status (-1 when it had to be ended after ten seconds, or thirty with message
// boxes), what it wrote to the pipe, and with no standard output the text of each message box it showed.
struct ChildRun {
  int status = -1;
  std::string out;
  std::vector<std::string> boxes;
};

std::string Utf8(const wchar_t* text) {
  char buf[4096];
  int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, buf, sizeof buf, nullptr, nullptr);
  return n > 0 ? std::string(buf, size_t(n - 1)) : std::string();
}

// The process that started process `pid`, or 0.
DWORD ParentOf(DWORD pid) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32W entry;
  entry.dwSize = sizeof entry;
  DWORD parent = 0;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !parent; more = Process32NextW(snapshot, &entry)) {
    if (entry.th32ProcessID == pid) parent = entry.th32ParentProcessID;
  }
  CloseHandle(snapshot);
  return parent;
}

// The visible top-level window whose class is `cls` of process `pid`, or with `orChild` of a process
// `pid` started; null when there is none.
HWND WindowOf(DWORD pid, const wchar_t* cls, bool orChild = false) {
  struct Search {
    DWORD pid;
    const wchar_t* cls;
    bool orChild;
    HWND found;
  } search = {pid, cls, orChild, nullptr};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        Search* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (!IsWindowVisible(window) || wcscmp(name, s->cls) != 0) return TRUE;
        if (owner != s->pid && !(s->orChild && ParentOf(owner) == s->pid)) return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The message of a message box: the text of its static control that has one (the icon's has none).
std::string BoxText(HWND box) {
  std::string text;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM param) -> BOOL {
        wchar_t cls[32] = {}, buf[2048] = {};
        GetClassNameW(child, cls, 32);
        if (_wcsicmp(cls, L"Static") == 0 && GetWindowTextW(child, buf, 2048) > 0) {
          *reinterpret_cast<std::string*>(param) = Utf8(buf);
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&text));
  return text;
}

// Input for the game's window as the system delivers it, posted straight to the window so that it
// arrives whatever has the focus or is modal: moves and clicks of the mouse, typed keys (with the scan
// codes GLFW reads them by), and a click on the close button.
void PlayAt(HWND window) {
  for (int i = 0; i < 10; ++i) {
    const LPARAM at = MAKELPARAM(100 + 20 * i, 100 + 10 * i);
    PostMessageW(window, WM_MOUSEMOVE, 0, at);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window, WM_LBUTTONUP, 0, at);
  }
  for (WORD vk : {WORD('A'), WORD(VK_SPACE), WORD(VK_RETURN), WORD(VK_ESCAPE), WORD(VK_UP)}) {
    const LPARAM bits = 1 | LPARAM(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(window, WM_KEYDOWN, vk, bits);
    PostMessageW(window, WM_KEYUP, vk, bits | LPARAM(3) << 30);
  }
  PostMessageW(window, WM_CLOSE, 0, 0);
}

ChildRun RunChild(const char* caseName, Input input, const std::string& text = std::string(),
                  Output output = Output::kPipe) {
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
  startup.hStdOutput = output == Output::kPipe ? nul : nullptr;
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
    // Each message box is read, shown the game window's input while it is up, and closed. Only then is
    // the window system asked for windows: a test program's first call into it may wait for Wine's
    // desktop to come up, which takes seconds on a busy machine.
    const ULONGLONG deadline = GetTickCount64() + (output == Output::kDesktop ? 30000 : 10000);
    bool ended = output == Output::kPipe && WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0;
    while (output == Output::kDesktop && !ended && GetTickCount64() < deadline) {
      ended = WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0;
      // The box is the child's own, or (as the game shows it) its box process's.
      HWND box = ended ? nullptr : WindowOf(process.dwProcessId, L"#32770", true);
      if (!box) continue;
      Sleep(100);  // the box's text is set as it opens
      run.boxes.push_back(BoxText(box));
      if (HWND game = WindowOf(process.dwProcessId, L"GLFW30")) {
        PlayAt(game);
        Sleep(500);
      }
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      for (int i = 0; i < 40 && IsWindow(box); ++i) Sleep(50);
    }
    if (ended) {
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
// no lock another thread holds may stop it, also not on a desktop, where the message box is the only way
// the player learns of it.
TEST(Fatal, ARealCrashEndsWithTheMessageEvenWhileLocksAreHeld) {
  for (const char* childCase : {"crash", "crash holding standard output's lock", "crash holding standard error's lock",
                                 "crash holding the process heap's lock"}) {
    ChildRun run = RunChild(childCase, Input::kNul);
    EXPECT_EQ(run.status, 255) << childCase << (run.status < 0 ? ": hung" : "");
    EXPECT_EQ(run.out, "Trazel Runtime Error : Memory access violation\n\n") << childCase;
    run = RunChild(childCase, Input::kNul, "", Output::kDesktop);
    EXPECT_EQ(run.status, 255) << childCase << " on a desktop" << (run.status < 0 ? ": hung" : "");
    EXPECT_EQ(run.boxes, std::vector<std::string>{"Trazel Runtime Error : Memory access violation"})
        << childCase << " on a desktop";
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

// The first thread to fault owns the fatal path: one message, one flush, one box, however many fault.
TEST(Fatal, ThreadsFaultingAtOnceGiveOneMessage) {
  ChildRun run = RunChild("crashes at once", Input::kNul);
  EXPECT_EQ(run.status, 255) << (run.status < 0 ? "hung" : "");
  EXPECT_EQ(run.out, "Trazel Runtime Error : Memory access violation\n\nflushed\n");
  run = RunChild("crashes at once", Input::kNul, "", Output::kDesktop);
  EXPECT_EQ(run.status, 255) << (run.status < 0 ? "hung" : "");
  EXPECT_EQ(run.boxes, std::vector<std::string>{"Trazel Runtime Error : Memory access violation"});
  EXPECT_EQ(run.out, "flushed\n");
}

// While the message box shows, the game window's input (mouse moves and clicks, keys, the close button,
// posted to it while the box is up) reaches no game code, and nothing else of the game runs: not on the
// thread that faulted, also when the game shows the box itself (its message loop then runs on that
// thread), and not on the game thread when another thread faulted (it is stopped before the flush). The
// marks are the delegate's calls once the fault is under way.
TEST(Fatal, NoGameCodeRunsWhileTheMessageBoxShows) {
  const struct {
    const char* childCase;
    const char* message;
    bool onGameThread;
  } cases[] = {{"a runtime error in an update", "Trazel Runtime Error : boom", true},
               {"a runtime error in an update, shown by the game itself", "Trazel Runtime Error : boom", true},
               {"a crash on another thread", "Trazel Runtime Error : Memory access violation", false}};
  for (const auto& c : cases) {
    ChildRun run = RunChild(c.childCase, Input::kNul, "", Output::kDesktop);
    EXPECT_EQ(run.status, 255) << c.childCase << (run.status < 0 ? ": hung" : "");
    EXPECT_EQ(run.boxes, std::vector<std::string>{c.message}) << c.childCase;
    if (c.onGameThread) {
      EXPECT_EQ(run.out, "flushed\n") << c.childCase << ": game code ran during the fatal path";
    } else {
      // The game thread may finish what it was doing until it comes to a stop, but never past the flush.
      const size_t flushed = run.out.find("flushed\n");
      ASSERT_NE(flushed, std::string::npos) << c.childCase << ": " << run.out;
      EXPECT_EQ(run.out.substr(flushed), "flushed\n") << c.childCase << ": game code ran after the flush";
    }
  }
}

// A start that fails reaches a player without a console the fatal way too: a message box naming what
// failed, and status 255.
TEST(Fatal, AFailedStartShowsItsMessage) {
  const struct {
    const char* childCase;
    const char* message;
  } cases[] = {{"no window", "Trazel Runtime Error : The game window could not be opened."},
               {"no window system",
                "Trazel Runtime Error : The window system could not be started (glfwInit failed)."}};
  for (const auto& c : cases) {
    ChildRun run = RunChild(c.childCase, Input::kNul, "", Output::kDesktop);
    EXPECT_EQ(run.status, 255) << c.childCase << (run.status < 0 ? ": hung" : "");
    EXPECT_EQ(run.boxes, std::vector<std::string>{c.message}) << c.childCase;
  }
}

}  // namespace
