// The tests' operating-system calls on Windows.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include "support/test_os.h"

namespace vxtest {

// The C runtime's tmpfile() makes its file in the root folder of the current drive, which a player's
// account may not write to; this one lives in the temporary folder and is deleted by the system on close.
FILE* ScratchStream() {
  wchar_t dir[MAX_PATH + 1], name[MAX_PATH + 1];
  if (!GetTempPathW(MAX_PATH + 1, dir) || !GetTempFileNameW(dir, L"vxt", 0, name)) return nullptr;
  HANDLE h = CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    DeleteFileW(name);
    return nullptr;
  }
  int fd = _open_osfhandle(intptr_t(h), _O_RDWR | _O_BINARY);
  if (fd < 0) {
    CloseHandle(h);
    return nullptr;
  }
  FILE* f = _fdopen(fd, "w+b");
  if (!f) _close(fd);
  return f;
}

long ProcessId() { return long(GetCurrentProcessId()); }

// A Windows program always runs on a desktop.
bool HasDisplay() { return true; }

// The fatal path writes to the system's standard output handle, the C runtime's to descriptor 1: both move.
void StdoutToStderr() {
  fflush(stdout);
  _dup2(2, 1);
  SetStdHandle(STD_OUTPUT_HANDLE, GetStdHandle(STD_ERROR_HANDLE));
}

bool StdinAtEnd() {
  if (!freopen("NUL", "r", stdin)) return false;
  SetStdHandle(STD_INPUT_HANDLE, HANDLE(_get_osfhandle(_fileno(stdin))));
  return true;
}

}  // namespace vxtest
