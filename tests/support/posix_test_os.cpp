// The tests' operating-system calls on POSIX systems.
#include <unistd.h>

#include <cstdlib>

#include "support/test_os.h"

namespace vxtest {

FILE* ScratchStream() { return std::tmpfile(); }

long ProcessId() { return long(getpid()); }

bool HasDisplay() { return std::getenv("DISPLAY") != nullptr; }

void StdoutToStderr() { dup2(2, 1); }

bool StdinAtEnd() { return std::freopen("/dev/null", "r", stdin) != nullptr; }

}  // namespace vxtest
