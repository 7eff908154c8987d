// A scripted TCP server on 127.0.0.1 for the HTTP and program tests: accepts one connection, reads the
// request header, then plays its script (send, pause, close, or hold the connection open until stopped).
#pragma once
#include <atomic>
#include <string>
#include <thread>
#include <vector>

struct ServerStep {
  enum Kind { kSend, kPause, kHold } kind;
  std::string bytes;  // kSend
  int ms = 0;         // kPause
};

inline ServerStep Send(std::string bytes) { return {ServerStep::kSend, std::move(bytes), 0}; }
inline ServerStep Pause(int ms) { return {ServerStep::kPause, std::string(), ms}; }
inline ServerStep Hold() { return {ServerStep::kHold, std::string(), 0}; }

class TestServer {
 public:
  // `readRequest` false: the script starts as soon as the connection is accepted (a peer that closes at once).
  explicit TestServer(std::vector<ServerStep> script, bool readRequest = true);
  ~TestServer();  // stops holding, closes and joins

  int Port() const { return port_; }
  // The request bytes read before the script ran; valid once the script has started.
  std::string Request();
  // Ends a kHold step.
  void Stop() { stop_ = true; }

 private:
  void Serve();

  std::vector<ServerStep> script_;
  bool readRequest_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<bool> requestReady_{false};
  std::string request_;
  std::thread thread_;
};
