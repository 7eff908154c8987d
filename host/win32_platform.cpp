// The host's file calls on Windows: UTF-8 names become UTF-16 for the wide-character calls, so any name a
// player's folders hold can be opened; the program's folder comes from GetModuleFileNameW, and a state
// file is replaced in one step by MoveFileExW, tried again for a moment while another program holds it.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cstdlib>

#include "host/platform.h"

namespace {

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
  std::wstring out(size_t(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), &out[0], n);
  return out;
}

std::string Utf8(const wchar_t* wide, int length) {
  int n = WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
  std::string out(size_t(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, wide, length, &out[0], n, nullptr, nullptr);
  return out;
}

}  // namespace

bool host_ProgramFolder(std::string& folder) {
  // Long paths: up to 32767 units; the buffer grows until the name fits.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, &path[0], DWORD(path.size()));
    if (n == 0) return false;
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    if (path.size() >= 32768) return false;
    path.resize(path.size() * 2);
  }
  size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return false;
  // Forward slashes, as the runtime's paths are written; Windows takes both.
  for (wchar_t& c : path) {
    if (c == L'\\') c = L'/';
  }
  folder = Utf8(path.data(), int(slash));
  return true;
}

FILE* host_OpenFile(const std::string& path, const char* mode) {
  return _wfopen(Wide(path).c_str(), Wide(mode).c_str());
}

bool host_SyncFile(FILE* file) { return _commit(_fileno(file)) == 0; }

bool host_ReplaceFile(const std::string& from, const std::string& to) {
  const std::wstring source = Wide(from), target = Wide(to);
  // A virus scanner or a folder-syncing program may hold the state file open for a moment; replacing a
  // file held open that way fails with "access denied" (or a sharing or lock violation) and succeeds a
  // little later, so those are tried again for about half a second. Anything else fails at once. (In a
  // read-only folder the save has failed before this, when the temporary file could not be made.)
  const int kTries = 6;
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    const DWORD error = GetLastError();
    const bool held = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
    if (attempt == kTries || !held) return false;
    Sleep(100);
  }
}

void host_RemoveFile(const std::string& path) { _wunlink(Wide(path).c_str()); }

// Windows has no call that makes a folder's entries durable the way fsync of a folder does on POSIX
// systems. MOVEFILE_WRITE_THROUGH only waits for a move that had to copy the file to another volume;
// for a rename within the folder, NTFS records the change in its own log, and the file's bytes were
// committed before the rename (host_SyncFile). So there is nothing more to do here.
void host_SyncCurrentFolder() {}

int host_CreateRawFile(const char* path) {
  return _wopen(Wide(path).c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
}

bool host_WriteRaw(int fd, const void* data, size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    unsigned chunk = size > (1u << 30) ? (1u << 30) : unsigned(size);
    int n = _write(fd, p, chunk);
    if (n <= 0) return false;
    p += n;
    size -= size_t(n);
  }
  return true;
}

void host_CloseRaw(int fd) { _close(fd); }

bool host_GetEnvironment(const char* name, std::string& value) {
  // The process's own UTF-16 block: msvcrt's _wgetenv in a program entered by main builds its wide copy
  // from the ANSI one, and would have lost the same characters.
  const std::wstring wideName = Wide(name);
  std::wstring wide(256, L'\0');
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    DWORD n = GetEnvironmentVariableW(wideName.c_str(), &wide[0], DWORD(wide.size()));
    if (n == 0) {
      if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return false;
      value.clear();  // set, and empty
      return true;
    }
    if (n < wide.size()) {
      value = Utf8(wide.data(), int(n));
      return true;
    }
    wide.resize(n);  // n counts the terminating zero when the buffer was too small
  }
}

void host_SetEnvironment(const char* name, const char* value) {
  // An empty value removes the variable for the C runtime's getenv, which is what the game reads.
  _putenv_s(name, value ? value : "");
}

void host_LocalTime(time_t when, tm* out) { localtime_s(out, &when); }

const char* host_PlatformName() { return "Windows"; }
