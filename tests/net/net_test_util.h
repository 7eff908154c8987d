// Shared helpers of the net tests: pumping the event sources with a bounded wait, and a completion recorder.
#pragma once
#include <chrono>
#include <thread>

#include "net/net.h"

// Pumps the async events every millisecond until `done()` holds or `ms` have passed; returns done().
template <class Done>
bool PumpUntil(Done done, int ms = 5000) {
  auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!done() && std::chrono::steady_clock::now() < until) {
    rt_asyncevent_UpdateAsyncEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return done();
}

// Pumps for a fixed time (to show that nothing more arrives).
inline void PumpFor(int ms) {
  PumpUntil([] { return false; }, ms);
}

struct HttpRecorder : Object, c_IOnHttpRequestComplete {
  int calls = 0;
  c_HttpRequest* last = nullptr;
  int p_OnHttpRequestComplete(c_HttpRequest* request) override {
    ++calls;
    last = request;
    return 0;
  }
};
