// Test helper: starts Xvfb with -displayfd (it reports the display it took through a pipe) and ends it
// by its process id.
#include "posix_private_x_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

extern char** environ;

bool PrivateXServer::Start() {
    if (pid_ > 0) return true;
    int fds[2];
    if (pipe(fds) != 0) return false;
    fcntl(fds[0], F_SETFD, FD_CLOEXEC);
    std::string fd = std::to_string(fds[1]);
    const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-noreset",
                          "-screen", "0", "1280x1024x24", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    int rc = posix_spawnp(&pid, "Xvfb", &actions, nullptr, const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        return false;
    }
    // The display number arrives as a line once the server accepts connections.
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    char c = 0;
    while (poll(&p, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (number.empty() || c != '\n') {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        return false;
    }
    pid_ = pid;
    const char* old = std::getenv("DISPLAY");
    hadDisplay_ = old != nullptr;
    oldDisplay_ = old ? old : "";
    setenv("DISPLAY", (":" + number).c_str(), 1);
    return true;
}

void PrivateXServer::Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
    if (hadDisplay_) setenv("DISPLAY", oldDisplay_.c_str(), 1); else unsetenv("DISPLAY");
}
