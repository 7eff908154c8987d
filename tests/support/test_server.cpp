// The scripted test server: every wait is bounded, so a broken client cannot hang a test.
#include "support/test_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

namespace {

// Waits up to `ms` for `fd` to become readable; false on timeout.
bool wait_readable(int fd, int ms) {
  pollfd p{fd, POLLIN, 0};
  return poll(&p, 1, ms) > 0;
}

}  // namespace

TestServer::TestServer(std::vector<ServerStep> script, bool readRequest)
    : script_(std::move(script)), readRequest_(readRequest) {
  listener_ = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr;
  memset(&addr, 0, sizeof addr);
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  listen(listener_, 4);
  socklen_t len = sizeof addr;
  getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
  port_ = ntohs(addr.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

TestServer::~TestServer() {
  stop_ = true;
  thread_.join();
  close(listener_);
}

std::string TestServer::Request() {
  for (int i = 0; i < 5000 && !requestReady_; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return requestReady_ ? request_ : std::string();
}

void TestServer::Serve() {
  int fd = -1;
  for (int waited = 0; fd < 0 && waited < 10000 && !stop_; waited += 50) {
    if (wait_readable(listener_, 50)) fd = accept(listener_, nullptr, nullptr);
  }
  if (fd < 0) return;
  int on = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  std::string request;
  if (readRequest_) {
    char buf[4096];
    while (request.find("\r\n\r\n") == std::string::npos && wait_readable(fd, 5000)) {
      ssize_t n = recv(fd, buf, sizeof buf, 0);
      if (n <= 0) break;
      request.append(buf, size_t(n));
    }
    size_t headerEnd = request.find("\r\n\r\n");
    size_t at = request.find("Content-Length: ");
    if (headerEnd != std::string::npos && at != std::string::npos && at < headerEnd) {
      size_t want = headerEnd + 4 + size_t(atoi(request.c_str() + at + 16));
      while (request.size() < want && wait_readable(fd, 5000)) {
        ssize_t n = recv(fd, buf, sizeof buf, 0);
        if (n <= 0) break;
        request.append(buf, size_t(n));
      }
    }
  }
  request_ = request;
  requestReady_ = true;
  for (const ServerStep& step : script_) {
    if (step.kind == ServerStep::kSend) {
      send(fd, step.bytes.data(), step.bytes.size(), MSG_NOSIGNAL);
    } else if (step.kind == ServerStep::kPause) {
      std::this_thread::sleep_for(std::chrono::milliseconds(step.ms));
    } else {
      // Holds the connection until stopped or until the client closes it (bounded at 20 s).
      char buf[256];
      for (int waited = 0; !stop_ && waited < 20000; waited += 20) {
        if (wait_readable(fd, 20) && recv(fd, buf, sizeof buf, MSG_DONTWAIT) == 0) break;
      }
    }
  }
  close(fd);
}
