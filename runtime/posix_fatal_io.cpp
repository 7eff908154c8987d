// The fatal path's console on POSIX systems: write(2), read(2) and _exit(2), all async-signal-safe.
#include "runtime/fatal_io.h"

#include <unistd.h>

#include <cerrno>

void rt_fatal_Write(int stream, const char* text, size_t size) {
  while (size > 0) {
    ssize_t w = write(stream, text, size);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return;
    text += w;
    size -= size_t(w);
  }
}

bool rt_fatal_ReadByte(char* byte) {
  for (;;) {
    ssize_t r = read(0, byte, 1);
    if (r < 0 && errno == EINTR) continue;
    return r == 1;
  }
}

void rt_fatal_Show() {}  // every message was written as it came

void rt_fatal_Exit(int status) { _exit(status); }
