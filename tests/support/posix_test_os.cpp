// The tests' operating-system calls on POSIX systems.
#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "support/test_os.h"

namespace vxtest {

FILE* ScratchStream() { return std::tmpfile(); }

std::string ProgramFolder() {
  char buf[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf);
  std::string path(buf, n > 0 ? size_t(n) : 0);
  return path.substr(0, path.rfind('/'));
}

long ProcessId() { return long(getpid()); }

bool HasDisplay() { return std::getenv("DISPLAY") != nullptr; }

void StdoutToStderr() { dup2(2, 1); }

bool StdinAtEnd() { return std::freopen("/dev/null", "r", stdin) != nullptr; }

}  // namespace vxtest
