// The graphics tests' GL window, host, data folder and pixel helpers.
#include "gl_fixture.h"

#include <GL/gl.h>
#include <stb/stb_image_write.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/app.h"  // rt_app__devWidth, rt_app__devHeight
#include "support/test_os.h"

String TestHost::PathToFilePath(String path) {
  static const String data("trazel://data/");
  if (path.StartsWith(data)) {
    char buf[1024];
    return String(dataDir.c_str()) + String("/") + String(path.Slice(data.Length()).ToCString(buf, sizeof buf));
  }
  return RtGlfwGame::PathToFilePath(path);
}

TestHost& TestHost::Get() {
  static TestHost* host = [] {
    TestHost* h = new TestHost;
    h->dataDir = vxtest::MakeTempDir("vx-gfx-");
    if (h->dataDir.empty()) h->dataDir = ".";
    return h;
  }();
  return *host;
}

std::string WritePng(const std::string& name, int width, int height, int channels, const unsigned char* pixels) {
  std::string path = TestHost::Get().dataDir + "/" + name;
  stbi_write_png(path.c_str(), width, height, channels, pixels, width * channels);
  return path;
}

std::string WriteFile(const std::string& name, const std::string& bytes) {
  std::string path = TestHost::Get().dataDir + "/" + name;
  FILE* f = fopen(path.c_str(), "wb");
  if (f) {
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
  }
  return path;
}

void RedirectForRuntimeError() {
  vxtest::StdoutToStderr();
  if (!vxtest::StdinAtEnd()) exit(3);
}

namespace {

void FreshModule(gxtkGraphics*& g) {
  TestHost::Get();
  gc_assign(rt_graphics_context, (new c_GraphicsContext)->m_new());
  g = new gxtkGraphics;
  rt_graphics_SetGraphicsDevice(g);
  rt_graphics_renderDevice = nullptr;
  rt_app__devWidth = kWindowSize;
  rt_app__devHeight = kWindowSize;
}

}  // namespace

void GlTest::SetUp() {
  if (!vxgl::Open(kWindowSize, kWindowSize)) GTEST_SKIP() << "no display for a GL context";
  FreshModule(g);
}

void GlTest::TearDown() { gxtkSurface::rejectNonPowerOfTwo = false; }

void GlTest::BeginFrame(Rgb bg) {
  ASSERT_EQ(g->BeginRender(), 1);
  rt_graphics_BeginRender();
  g->Cls(float(bg.r), float(bg.g), float(bg.b));
}

void GlTest::EndFrame() {
  rt_graphics_EndRender();
  g->EndRender();
  // For looking at what a test drew: VX_SCREENSHOT_DIR=/some/dir keeps each test's last frame as a PNG.
  if (const char* dir = getenv("VX_SCREENSHOT_DIR")) {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string path = std::string(dir) + "/" + info->test_suite_name() + "." + info->name() + ".png";
    std::vector<unsigned char> rgba(size_t(g->width) * size_t(g->height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, g->width, g->height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    for (size_t i = 3; i < rgba.size(); i += 4) rgba[i] = 255;
    stbi_flip_vertically_on_write(1);  // OpenGL gives the bottom row first
    stbi_write_png(path.c_str(), g->width, g->height, 4, rgba.data(), g->width * 4);
    stbi_flip_vertically_on_write(0);
  }
}

Rgb GlTest::Pixel(int x, int y) {
  unsigned char p[4] = {0, 0, 0, 0};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, g->height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
  return {p[0], p[1], p[2]};
}

void ModuleTest::SetUp() { FreshModule(g); }
void ModuleTest::TearDown() { rt_graphics_renderDevice = nullptr; }

::testing::AssertionResult ColorNear(const char* ae, const char* be, Rgb a, Rgb b) {
  auto near = [](int x, int y) { return x - y <= 2 && y - x <= 2; };
  if (near(a.r, b.r) && near(a.g, b.g) && near(a.b, b.b)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << ae << " is (" << a.r << ", " << a.g << ", " << a.b << "), expected " << be
                                       << " = (" << b.r << ", " << b.g << ", " << b.b << ")";
}
