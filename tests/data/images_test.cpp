// The generated images: every file at every level decodes as RGBA with the exact grid size, every
// frame the game names has content, the player's ship points up and the default font keeps its borders.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "data_files.h"

namespace {

struct ImageCase {
  const char* name;
  int frameW, frameH, frames, cols;
  std::vector<int> named;  // frames that must not be empty
};

std::vector<int> Range(int from, int to) {
  std::vector<int> v;
  for (int i = from; i <= to; ++i) v.push_back(i);
  return v;
}
std::vector<int> Join(std::vector<int> a, const std::vector<int>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const std::vector<ImageCase>& Cases() {
  static const std::vector<ImageCase> cases = {
      {"ships", 64, 64, 16, 4, Join(Join({0}, Range(4, 10)), Range(12, 15))},
      {"parts", 4, 4, 64, 8, Range(0, 63)},
      {"menu", 256, 256, 4, 2, Range(0, 3)},
      {"logo", 256, 128, 1, 1, {0}},
      {"common/ZOLKLogo", 256, 256, 1, 1, {0}},
      {"common/icons", 32, 32, 16, 4, Range(0, 15)},
      {"common/Buttons", 64, 64, 16, 4, Join(Range(0, 5), {8, 9, 10, 12})},
      {"common/dpad", 32, 32, 16, 4, Range(0, 15)},
      {"common/circle", 256, 256, 4, 2, Range(0, 3)},
      {"common/light", 32, 32, 4, 2, Range(0, 3)},
      {"BadgesA", 64, 64, 64, 8, Range(0, 63)},
      // Printable characters 33..126, then the two controller-icon sets.
      {"fonts/shadow_pelmar", 16, 16, 128, 16, Join(Join(Range(1, 94), Range(96, 110)), Range(112, 126))},
  };
  return cases;
}

struct Pixels {
  int w = 0, h = 0, channels = 0;
  std::unique_ptr<unsigned char, void (*)(void*)> data{nullptr, stbi_image_free};
  unsigned char Alpha(int x, int y) const { return data.get()[(static_cast<size_t>(y) * w + x) * 4 + 3]; }
};

Pixels Load(const std::string& path) {
  Pixels p;
  p.data.reset(stbi_load(path.c_str(), &p.w, &p.h, &p.channels, 4));
  return p;
}

int OpaqueCount(const Pixels& p, int x0, int y0, int w, int h, unsigned char threshold) {
  int n = 0;
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) n += p.Alpha(x, y) > threshold;
  return n;
}

const int kLevels[3] = {1, 2, 4};
const char* const kSuffixes[3] = {"", "-hd", "-hd2"};

TEST(DataImages, EveryLevelDecodesWithTheExactGridAndNamedFramesDrawn) {
  for (const ImageCase& c : Cases()) {
    const int rows = (c.frames + c.cols - 1) / c.cols;
    for (int l = 0; l < 3; ++l) {
      const std::string path = vxdata::DataDir() + "/" + c.name + kSuffixes[l] + ".png";
      SCOPED_TRACE(path);
      const Pixels p = Load(path);
      ASSERT_TRUE(p.data) << stbi_failure_reason();
      EXPECT_EQ(p.channels, 4);
      const int fw = c.frameW * kLevels[l], fh = c.frameH * kLevels[l];
      ASSERT_EQ(p.w, fw * c.cols);
      ASSERT_EQ(p.h, fh * rows);
      for (int f : c.named) {
        // At least a small share of the frame is visible (a 4 x 4 spark covers about one pixel at 1x).
        const int min = std::max(1, fw * fh / 200);
        EXPECT_GE(OpaqueCount(p, (f % c.cols) * fw, (f / c.cols) * fh, fw, fh, 40), min) << "frame " << f;
      }
    }
  }
}

TEST(DataImages, PlayerShipPointsUp) {
  // The nose is the topmost solid part, on the centre line, and the wings are in the lower half.
  const Pixels p = Load(vxdata::DataDir() + "/ships-hd.png");
  ASSERT_TRUE(p.data);
  int top = -1, widestRow = -1, widest = 0;
  for (int y = 0; y < 128; ++y) {
    int left = -1, right = -1;
    for (int x = 0; x < 128; ++x)
      if (p.Alpha(x, y) > 200) {
        if (left < 0) left = x;
        right = x;
      }
    if (left < 0) continue;
    if (top < 0) {
      top = y;
      EXPECT_NEAR((left + right) / 2.0, 63.5, 3.0);
    }
    if (right - left > widest) {
      widest = right - left;
      widestRow = y;
    }
  }
  ASSERT_GE(top, 0);
  EXPECT_LT(top, 32);
  EXPECT_GT(widestRow, 64);
}

TEST(DataImages, DefaultFontIsOneRowOf96PaddedGlyphs) {
  const Pixels p = Load(vxdata::DataDir() + "/vorn_font.png");
  ASSERT_TRUE(p.data);
  ASSERT_EQ(p.w % 96, 0);
  const int cell = p.w / 96;
  ASSERT_GE(cell, 3);
  for (int g = 0; g < 96; ++g) {
    EXPECT_EQ(OpaqueCount(p, g * cell, 0, 1, p.h, 0), 0) << "left border of glyph " << g;
    EXPECT_EQ(OpaqueCount(p, g * cell + cell - 1, 0, 1, p.h, 0), 0) << "right border of glyph " << g;
    if (g >= 1 && g <= 94) {
      EXPECT_GT(OpaqueCount(p, g * cell, 0, cell, p.h, 40), 0) << "glyph " << g;
    }
  }
}

}  // namespace
