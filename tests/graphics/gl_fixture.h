// Shared set-up of the graphics tests: a real GL context (hidden window under X), a fresh renderer and
// graphics context per test, a host whose data folder is a temporary directory, and pixel read-back.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "bench/scenes/gl_window.h"
#include "graphics/graphics.h"
#include "host/host.h"

constexpr int kWindowSize = 256;

struct Rgb {
  int r, g, b;
};

// The desktop host with "trazel://data/" mapped to a temporary folder that the tests fill.
class TestHost : public RtGlfwGame {
 public:
  std::string dataDir;
  String PathToFilePath(String path) override;
  // The one host of the test process.
  static TestHost& Get();
};

// Writes a PNG of `channels` 8-bit channels into the test data folder; returns its absolute path.
std::string WritePng(const std::string& name, int width, int height, int channels, const unsigned char* pixels);
// Writes arbitrary bytes as a file in the test data folder; returns its absolute path.
std::string WriteFile(const std::string& name, const std::string& bytes);

// Runs `statement` in a child whose output goes to standard error (where the death test reads it) and
// whose debugger prompt sees end of input; the child must end with status 255 and `message` printed.
#define EXPECT_RUNTIME_ERROR(statement, message)                                                  \
  EXPECT_EXIT(                                                                                    \
      {                                                                                           \
        RedirectForRuntimeError();                                                                \
        statement;                                                                                \
      },                                                                                          \
      ::testing::ExitedWithCode(255), message)
void RedirectForRuntimeError();

// A test with a GL context, skipped when there is no display.
class GlTest : public ::testing::Test {
 protected:
  gxtkGraphics* g = nullptr;

  void SetUp() override;
  void TearDown() override;

  // Device and module render passes, as the framework brackets a frame; the window is cleared to `bg`.
  void BeginFrame(Rgb bg = {0, 0, 0});
  void EndFrame();
  // The colour at window pixel (x, y), top-left origin, read straight from OpenGL.
  Rgb Pixel(int x, int y);
};

// A test of the module's bookkeeping that needs no GL context: a graphics context and a device object.
class ModuleTest : public ::testing::Test {
 protected:
  gxtkGraphics* g = nullptr;
  void SetUp() override;
  void TearDown() override;
};

::testing::AssertionResult ColorNear(const char* ae, const char* be, Rgb a, Rgb b);
#define EXPECT_RGB(actual, ...) EXPECT_PRED_FORMAT2(ColorNear, actual, (Rgb{__VA_ARGS__}))
