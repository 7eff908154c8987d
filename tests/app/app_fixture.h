// An app framework on the scripted desktop host: a fresh host and no registered app for each test.
#pragma once
#include <gtest/gtest.h>

#include "app/app.h"
#include "host/backend/glfw2_null.h"
#include "host/host.h"

// A host whose game counts as started without creating the devices (no GL context, no sound).
struct AppHost : RtGlfwGame {
  void MarkStarted() { started = true; }
};

// Counts its callbacks; records the key hits its updates saw.
struct CountingApp : c_App {
  int creates = 0, updates = 0, renders = 0;
  std::vector<int> hitsSeen;  // hits of key 65 per update
  int p_OnCreate() override { ++creates; return 0; }
  int p_OnUpdate() override;
  int p_OnRender() override { ++renders; return 0; }
};

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    glfw2null_Install();
    glfwInit();
    host = new AppHost;
    host->SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
    rt_app__game = host;
    rt_app__app = nullptr;
    rt_app__delegate = nullptr;
    gc_mark_roots = MarkAppRoots;
  }
  void TearDown() override {
    gc_mark_roots = nullptr;
    rt_app__app = nullptr;
    rt_app__delegate = nullptr;
    glfw2null_Uninstall();
    delete host;
  }
  static void MarkAppRoots() {
    gc_mark(rt_app__app);
    gc_mark(rt_app__delegate);
    gc_mark(rt_app__displayModes);
    gc_mark(rt_app__desktopMode);
  }
  Glfw2NullWorld& world() { return glfw2null_World(); }

  AppHost* host = nullptr;
};
