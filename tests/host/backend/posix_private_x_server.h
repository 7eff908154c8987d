// Test helper: a private Xvfb for this test process, so that window focus and typed keys are not
// disturbed by other tests' windows on a shared X server.
#pragma once

#include <string>
#include <sys/types.h>

class PrivateXServer {
public:
    // Starts Xvfb on a free display and points DISPLAY at it; false (DISPLAY untouched) if it cannot.
    bool Start();
    // Stops the server and restores DISPLAY.
    void Stop();
    ~PrivateXServer() { Stop(); }

private:
    pid_t pid_ = -1;
    bool hadDisplay_ = false;
    std::string oldDisplay_;
};
