// The fatal message box of a desktop program, shown by a process of its own: this program started again
// at the start of the game, waiting on an event. A message box needs the process heap, and its message loop
// hands the game window's input to game code; in a process of its own neither matters: a thread that
// crashed holding the heap's lock, or a fault inside the game window's own code, cannot keep the box from
// showing, and no message of the game is dispatched while it shows. The fatal path only copies the text
// into memory the two processes share, sets the event and waits for the box's process to end.
#include "runtime/win32_fatal_box.h"

#include <windows.h>

#include <cwchar>

namespace {

// What the command line of the box's process starts its arguments with.
const wchar_t kBoxSwitch[] = L"--vextrallis-fatal-box";

// The memory the two processes share: the message, as UTF-16.
struct Shared {
  wchar_t text[2048];
};

HANDLE g_boxProcess = nullptr;
HANDLE g_show = nullptr;
Shared* g_shared = nullptr;

// The box's process: shows the message once asked to, and ends when the box is closed or when the game
// ends without asking. The handles come on the command line; they were inherited.
void RunBoxProcess(const wchar_t* args) {
  unsigned long long mapping = 0, show = 0, game = 0;
  if (std::swscanf(args, L"%llx %llx %llx", &mapping, &show, &game) != 3) ExitProcess(2);
  const Shared* shared =
      static_cast<const Shared*>(MapViewOfFile(HANDLE(mapping), FILE_MAP_READ, 0, 0, sizeof(Shared)));
  HANDLE waits[2] = {HANDLE(show), HANDLE(game)};
  if (!shared || WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) ExitProcess(0);
  // Top-most: a full-screen game window is top-most itself, and would hide the box.
  MessageBoxW(nullptr, shared->text, L"Vextrallis", MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TOPMOST);
  ExitProcess(0);
}

// Runs before main: started as the box's process, this program is nothing else.
struct BoxProcessEntry {
  BoxProcessEntry() {
    const wchar_t* at = std::wcsstr(GetCommandLineW(), kBoxSwitch);
    if (at) RunBoxProcess(at + (sizeof kBoxSwitch / sizeof kBoxSwitch[0] - 1));
  }
} g_boxProcessEntry;

}  // namespace

void rt_fatal_StartBoxProcess() {
  if (g_boxProcess) return;
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, &inherit, PAGE_READWRITE, 0, sizeof(Shared), nullptr);
  HANDLE show = CreateEventW(&inherit, TRUE, FALSE, nullptr);
  HANDLE game = nullptr;
  DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &game, SYNCHRONIZE, TRUE, 0);
  void* view = mapping ? MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(Shared)) : nullptr;
  wchar_t exe[MAX_PATH + 1];
  const DWORD exeLength = GetModuleFileNameW(nullptr, exe, MAX_PATH + 1);
  wchar_t command[MAX_PATH + 128];
  STARTUPINFOW startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;  // and every one null: the box's process writes nothing
  PROCESS_INFORMATION process;
  bool started = false;
  if (view && show && game && exeLength > 0 && exeLength <= MAX_PATH) {
    std::swprintf(command, sizeof command / sizeof command[0], L"\"%ls\" %ls %llx %llx %llx", exe, kBoxSwitch,
                  (unsigned long long)(ULONG_PTR)mapping, (unsigned long long)(ULONG_PTR)show,
                  (unsigned long long)(ULONG_PTR)game);
    started = CreateProcessW(exe, command, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
  }
  if (game) CloseHandle(game);
  if (mapping) CloseHandle(mapping);  // the view keeps it
  if (!started) {
    if (view) UnmapViewOfFile(view);
    if (show) CloseHandle(show);
    return;
  }
  CloseHandle(process.hThread);
  g_boxProcess = process.hProcess;
  g_show = show;
  g_shared = static_cast<Shared*>(view);
}

bool rt_fatal_ShowInBoxProcess(const char* text) {
  if (!g_boxProcess || WaitForSingleObject(g_boxProcess, 0) != WAIT_TIMEOUT) return false;
  const int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, g_shared->text, int(sizeof g_shared->text / sizeof(wchar_t)));
  if (n <= 0) return false;
  AllowSetForegroundWindow(GetProcessId(g_boxProcess));  // the box comes to the front as the game's own would
  SetEvent(g_show);
  WaitForSingleObject(g_boxProcess, INFINITE);
  CloseHandle(g_boxProcess);
  g_boxProcess = nullptr;
  return true;
}
