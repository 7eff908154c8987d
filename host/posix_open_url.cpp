// Opening a URL in the desktop's browser: xdg-open started directly with the URL as one argument, never
// through a shell, so the URL stays data. Only web addresses are opened: xdg-open would also open a local
// file or start the program a desktop file names. A waiter thread reaps the opener so it never lingers as
// a zombie.
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

#include <thread>

#include "host/host.h"
#include "host/utf8_path.h"
#include "host/web_address.h"
#include "runtime/thread_stack.h"

extern char** environ;

void RtGlfwGame::OpenUrl(String url) {
  std::string text = StringToUtf8Path(url);
  // A web address never starts with "-", which the opener would read as an option.
  if (!host_IsWebAddress(text)) return;
  char opener[] = "xdg-open";
  char* argv[] = {opener, &text[0], nullptr};
  pid_t pid;
  // Without an opener on the PATH the spawn fails and nothing happens.
  if (posix_spawnp(&pid, opener, nullptr, nullptr, argv, environ) != 0) return;
  std::thread([pid] {
    rt_GuardThreadStack();
    int status;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
}
