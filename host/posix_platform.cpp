// The host's file calls on POSIX systems: file names are UTF-8 bytes already, the program's folder comes
// from /proc/self/exe, and a replaced state file is made durable with fsync of the file and its folder.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "host/platform.h"

bool host_ProgramFolder(std::string& folder) {
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path);
  if (n <= 0 || n >= ssize_t(sizeof path)) return false;
  while (n > 0 && path[n - 1] != '/') --n;
  if (n > 0) --n;  // drop the slash
  folder.assign(path, size_t(n));
  return true;
}

FILE* host_OpenFile(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

bool host_SyncFile(FILE* file) { return fsync(fileno(file)) == 0; }

bool host_ReplaceFile(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

void host_RemoveFile(const std::string& path) { unlink(path.c_str()); }

void host_SyncCurrentFolder() {
  int dir = open(".", O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
}

int host_CreateRawFile(const char* path) { return open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644); }

bool host_WriteRaw(int fd, const void* data, size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t n = write(fd, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    size -= size_t(n);
  }
  return true;
}

void host_CloseRaw(int fd) { close(fd); }

bool host_GetEnvironment(const char* name, std::string& value) {
  const char* v = std::getenv(name);
  if (!v) return false;
  value = v;
  return true;
}

void host_SetEnvironment(const char* name, const char* value) {
  if (value) {
    setenv(name, value, 1);
  } else {
    unsetenv(name);
  }
}

void host_LocalTime(time_t when, tm* out) { localtime_r(&when, out); }

const char* host_PlatformName() { return "Linux"; }
