/* The desktop's side of the game, for the cases that need it. Built with the MinGW-w64 cross compiler and
   run under Wine.
     desktop start PROGRAM  starts PROGRAM as a double-click does: with no standard input, output or error
                            (a program started from the desktop has none); waits for it, ends with its status
     desktop box [SECONDS]  waits up to SECONDS (default 30) for the game's message box, prints its message;
                            ends with 1 when none shows
     desktop boxes          prints how many of the game's message boxes are open
     desktop close          presses the OK button of the game's message box */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

/* The game's message box: a dialog titled as the game is. */
static HWND Box(void) { return FindWindowW(L"#32770", L"Vextrallis"); }

static BOOL CALLBACK CountBox(HWND window, LPARAM count) {
  wchar_t cls[16] = {0}, title[16] = {0};
  GetClassNameW(window, cls, 16);
  GetWindowTextW(window, title, 16);
  if (IsWindowVisible(window) && wcscmp(cls, L"#32770") == 0 && wcscmp(title, L"Vextrallis") == 0) ++*(int*)count;
  return TRUE;
}

/* The message: the text of the box's static control that has one (the icon's has none). */
static BOOL CALLBACK BoxMessage(HWND child, LPARAM out) {
  wchar_t cls[16] = {0};
  GetClassNameW(child, cls, 16);
  if (_wcsicmp(cls, L"Static") == 0 && GetWindowTextW(child, (wchar_t*)out, 2048) > 0) return FALSE;
  return TRUE;
}

int main(int argc, char** argv) {
  if (argc == 3 && strcmp(argv[1], "start") == 0) {
    char command[1024];
    snprintf(command, sizeof command, "\"%s\"", argv[2]);
    STARTUPINFOA startup;
    PROCESS_INFORMATION process;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES; /* and every handle null */
    if (!CreateProcessA(NULL, command, NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process)) {
      fprintf(stderr, "desktop: cannot start %s (error %lu)\n", argv[2], GetLastError());
      return 2;
    }
    DWORD status = 2;
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &status);
    return (int)status;
  }
  if ((argc == 2 || argc == 3) && strcmp(argv[1], "box") == 0) {
    int tenths = (argc == 3 ? atoi(argv[2]) : 30) * 10;
    HWND box = NULL;
    for (int i = 0; i <= tenths && !(box = Box()); ++i) Sleep(100);
    if (!box) return 1;
    Sleep(200); /* the text is set as the box opens */
    wchar_t text[2048] = {0};
    EnumChildWindows(box, BoxMessage, (LPARAM)text);
    char utf8[4096];
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, NULL, NULL);
    printf("%s\n", utf8);
    return 0;
  }
  if (argc == 2 && strcmp(argv[1], "boxes") == 0) {
    int count = 0;
    EnumWindows(CountBox, (LPARAM)&count);
    printf("%d\n", count);
    return 0;
  }
  if (argc == 2 && strcmp(argv[1], "close") == 0) {
    HWND box = Box();
    return box && PostMessageW(box, WM_COMMAND, IDOK, 0) ? 0 : 1;
  }
  fprintf(stderr, "usage: desktop start PROGRAM | box [SECONDS] | boxes | close\n");
  return 2;
}
