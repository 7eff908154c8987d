// The scripted test server: every wait is bounded, so a broken client cannot hang a test.
#include "support/test_server.h"

#include <chrono>
#include <cstdlib>

#include "support/test_sockets.h"

using vxtest::WaitReadable;

TestServer::TestServer(std::vector<ServerStep> script, bool readRequest)
    : script_(std::move(script)), readRequest_(readRequest) {
  listener_ = vxtest::ListenLoopback(&port_);
  thread_ = std::thread([this] { Serve(); });
}

TestServer::~TestServer() {
  stop_ = true;
  thread_.join();
  vxtest::CloseSocket(listener_);
}

std::string TestServer::Request() {
  for (int i = 0; i < 5000 && !requestReady_; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return requestReady_ ? request_ : std::string();
}

void TestServer::Serve() {
  int fd = -1;
  for (int waited = 0; fd < 0 && waited < 10000 && !stop_; waited += 50) {
    if (WaitReadable(listener_, 50)) fd = vxtest::Accept(listener_);
  }
  if (fd < 0) return;
  std::string request;
  if (readRequest_) {
    char buf[4096];
    while (request.find("\r\n\r\n") == std::string::npos && WaitReadable(fd, 5000)) {
      int n = vxtest::Receive(fd, buf, sizeof buf);
      if (n <= 0) break;
      request.append(buf, size_t(n));
    }
    size_t headerEnd = request.find("\r\n\r\n");
    size_t at = request.find("Content-Length: ");
    if (headerEnd != std::string::npos && at != std::string::npos && at < headerEnd) {
      size_t want = headerEnd + 4 + size_t(atoi(request.c_str() + at + 16));
      while (request.size() < want && WaitReadable(fd, 5000)) {
        int n = vxtest::Receive(fd, buf, sizeof buf);
        if (n <= 0) break;
        request.append(buf, size_t(n));
      }
    }
  }
  request_ = request;
  requestReady_ = true;
  for (const ServerStep& step : script_) {
    if (step.kind == ServerStep::kSend) {
      vxtest::Send(fd, step.bytes);
    } else if (step.kind == ServerStep::kPause) {
      std::this_thread::sleep_for(std::chrono::milliseconds(step.ms));
    } else {
      // Holds the connection until stopped or until the client closes it (bounded at 20 s).
      char buf[256];
      for (int waited = 0; !stop_ && waited < 20000; waited += 20) {
        // Readable, so the receive returns at once: 0 when the client has closed.
        if (WaitReadable(fd, 20) && vxtest::Receive(fd, buf, sizeof buf) == 0) break;
      }
    }
  }
  vxtest::CloseSocket(fd);
}
