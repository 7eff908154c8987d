// The loading screen and the replay on a real OpenGL context (needs a display; skipped without one):
// the spinning rings, the maker's logo and "Loading..." reach the window, and a screenshot is kept in
// the build directory.
#include <GL/gl.h>
#include <stb/stb_image_write.h>

#include <cmath>
#include <set>
#include <vector>

#include "game_fixture.h"
#include "support/test_os.h"

namespace {

struct Shot {
  int w = 0, h = 0;
  std::vector<unsigned char> rgb;  // top row first
  const unsigned char* At(int x, int y) const { return &rgb[size_t(3 * (y * w + x))]; }
};

// Reads the frame just rendered, before the buffers are swapped.
Shot ReadBack(int w, int h) {
  Shot s;
  s.w = w;
  s.h = h;
  std::vector<unsigned char> raw(size_t(3 * w * h));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, raw.data());
  s.rgb.resize(raw.size());
  for (int y = 0; y < h; ++y) std::copy_n(&raw[size_t(3 * (h - 1 - y) * w)], 3 * w, &s.rgb[size_t(3 * y * w)]);
  return s;
}

}  // namespace

TEST(ScreenGl, TheLoadingScreenShowsRingsLogoAndText) {
  if (!vxtest::HasDisplay()) GTEST_SKIP() << "no display";
  GameHarnessOptions o;
  o.realGl = true;
  GameHarness h(o);
  c_MyApp* app = h.app;
  h.Frames(6);  // past step 4: the logo is loaded at the full level
  h.Update();
  ASSERT_GT(app->m_ReloadPending, 0) << "still loading";
  h.host->RenderGame();
  Shot s = ReadBack(640, 480);
  glfwSwapBuffers();

  const char* dir = getenv("VX_BINARY_DIR");
  std::string out = std::string(dir ? dir : ".") + "/screenshots";
  vxtest::MakeDir(out);
  stbi_write_png((out + "/loading_screen.png").c_str(), s.w, s.h, 3, s.rgb.data(), 3 * s.w);

  // The leading (opaque) dot of each orange ring, where this frame's spin angle puts it.
  const float a0 = float(app->m_SpinAngle), m = 480.0f, D = 3.14159265f / 180.0f;
  struct Ring {
    float angle, radius;
  } rings[] = {{a0 + 120 + 40, m * 0.4f}, {a0 + 240 + 40, m * 0.35f}};
  for (const Ring& r : rings) {
    int x = int(320 + std::sin(r.angle * D) * r.radius), y = int(240 - std::cos(r.angle * D) * r.radius);
    const unsigned char* p = s.At(x, y);
    EXPECT_GT(p[0], 200) << x << "," << y;
    EXPECT_NEAR(p[1], 125, 30);
    EXPECT_LT(p[2], 60);
  }
  // "Loading..." in white, centred 32 pixels above the bottom.
  int white = 0;
  for (int y = 440; y < 458; ++y) {
    for (int x = 280; x < 360; ++x) white += s.At(x, y)[0] > 200 && s.At(x, y)[1] > 200 && s.At(x, y)[2] > 200;
  }
  EXPECT_GT(white, 40);
  // The logo: many colours around the middle of the screen.
  std::set<int> colours;
  for (int y = 140; y < 320; y += 2) {
    for (int x = 220; x < 420; x += 2) {
      const unsigned char* p = s.At(x, y);
      colours.insert(p[0] << 16 | p[1] << 8 | p[2]);
    }
  }
  EXPECT_GT(colours.size(), 50u);
}

TEST(ScreenGl, TheReplayDrawsRecordsWhereTheVirtualScreenPutsThem) {
  if (!vxtest::HasDisplay()) GTEST_SKIP() << "no display";
  GameHarnessOptions o;
  o.realGl = true;
  GameHarness h(o);
  ASSERT_TRUE(h.FinishLoading());
  c_MyApp* app = h.app;
  app->m_ClsR = 0;
  app->m_ClsG = 0;
  app->m_ClsB = 40;
  app->m_ClsA = 1;
  app->p_CLS2D(kNoValue, 0, 0, 0);
  app->p_SetCol(255, 0, 0, 1);
  app->p_Rect(100, 100, 40, 20);
  app->p_SetCol(0, 255, 0, 0.5f);
  app->m_Blend = 3;
  app->p_Oval(300, 300, 10, 10);
  h.host->RenderGame();
  Shot s = ReadBack(640, 480);
  glfwSwapBuffers();
  const unsigned char* bg = s.At(5, 5);
  EXPECT_EQ(bg[2], 40);
  const unsigned char* red = s.At(120, 110);
  EXPECT_EQ(red[0], 255);
  EXPECT_EQ(red[1], 0);
  EXPECT_EQ(s.At(99, 110)[0], 0);
  const unsigned char* glow = s.At(300, 300);  // half green added to the dark blue
  EXPECT_NEAR(glow[1], 128, 3);
  EXPECT_EQ(glow[2], 40);
}

TEST(ScreenGl, TheClearColourFillsTheWindowAsTheCoveringRectangleWould) {
  if (!vxtest::HasDisplay()) GTEST_SKIP() << "no display";
  GameHarnessOptions o;
  o.realGl = true;
  GameHarness h(o);
  c_MyApp* app = h.app;
  app->m_DrawCount = 0;
  // The rectangle stores each channel truncated; an opaque clear must give the same bytes, including
  // for the fractional colours of the background's easing.
  struct Case {
    float r, g, b, a;
    unsigned char want[3];
  } cases[] = {{10.7f, 40.2f, 200.9f, 1.0f, {10, 40, 200}},
               {-3.0f, 254.99f, 300.0f, 1.0f, {0, 254, 255}},
               {200.0f, 0.0f, 0.0f, 0.5f, {110, 20, 100}}};  // half over the previous (20, 40, 200)
  for (const Case& c : cases) {
    SCOPED_TRACE(c.r);
    app->m_ClsR = c.r;
    app->m_ClsG = c.g;
    app->m_ClsB = c.b;
    app->m_ClsA = c.a;
    h.host->RenderGame();
    Shot s = ReadBack(640, 480);
    glfwSwapBuffers();
    for (int at : {0, 320, 639}) {
      const unsigned char* p = s.At(at, at * 479 / 639);
      EXPECT_NEAR(p[0], c.want[0], c.a < 1 ? 1 : 0) << at;
      EXPECT_NEAR(p[1], c.want[1], c.a < 1 ? 1 : 0) << at;
      EXPECT_NEAR(p[2], c.want[2], c.a < 1 ? 1 : 0) << at;
    }
    if (c.a == 1.0f) {
      // The next frame starts from what this one showed: keep (20, 40, 200) under the translucent case.
      app->m_ClsR = 20;
      app->m_ClsG = 40;
      app->m_ClsB = 200;
      h.host->RenderGame();
      glfwSwapBuffers();
      h.host->RenderGame();
      glfwSwapBuffers();
    }
  }
}
