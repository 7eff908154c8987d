// A desktop host on the scripted GLFW backend with a delegate that records every call it receives.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "host/backend/glfw2_null.h"
#include "host/host.h"

// Records calls as short texts ("render", "update", "key 1 432", ...); hooks let a test act inside them.
struct RecordingDelegate : RtGameDelegate {
  std::vector<std::string> log;
  std::function<void()> onUpdate, onRender;
  std::function<void(int, int)> onKey;
  bool throwInUpdate = false;

  void StartGame() override { log.push_back("start"); }
  void SuspendGame() override { log.push_back("suspend"); }
  void ResumeGame() override { log.push_back("resume"); }
  void UpdateGame() override {
    log.push_back("update");
    if (throwInUpdate) throw new ThrowableObject;
    if (onUpdate) onUpdate();
  }
  void RenderGame() override {
    log.push_back("render");
    if (onRender) onRender();
  }
  void KeyEvent(int event, int data) override {
    log.push_back("key " + std::to_string(event) + " " + std::to_string(data));
    if (onKey) onKey(event, data);
  }
  void MouseEvent(int event, int data, float x, float y) override {
    log.push_back("mouse " + std::to_string(event) + " " + std::to_string(data) + " " + std::to_string(int(x)) +
                  " " + std::to_string(int(y)));
  }
  void DiscardGraphics() override { log.push_back("discard"); }

  int Count(const std::string& entry) const {
    int n = 0;
    for (const std::string& e : log) n += e == entry;
    return n;
  }
};

// Installs the scripted world, a fresh host and a recording delegate for each test.
class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    glfw2null_Install();
    glfwInit();
    glfw2null_World().time = 1.0;  // GLFW's clock has run a little by the time the game starts
    host = new RtGlfwGame;
    rec = new RecordingDelegate;
    host->SetDelegate(rec);
  }
  void TearDown() override {
    glfw2null_Uninstall();
    delete host;
  }
  Glfw2NullWorld& world() { return glfw2null_World(); }
  // Opens the window and starts the game as Run does, without entering the loop.
  void Start() {
    host->SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
    host->StartGame();
    rec->log.clear();
  }

  RtGlfwGame* host = nullptr;
  RecordingDelegate* rec = nullptr;
};
