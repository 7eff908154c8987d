// One busy frame of the game as a fixed list of drawing records replayed through the graphics module:
// stars, ground lines and trail quads, ships from one sprite sheet mixed with round bullets, glowing
// particles from a second sheet, and a score panel. Shared by the renderer's benchmark and screenshots.
// A second list of small items (a few pixels each) makes the renderer's own cost per item the larger
// part of the frame, where the busy frame's is mostly rasterising.
#pragma once
#include <cmath>
#include <cstdint>
#include <vector>

#include "graphics/graphics.h"

namespace vxscene {

enum Kind { kRect, kLine, kOval, kSpriteA, kSpriteB };

struct Record {
  int kind;
  float x, y, w, h;  // rectangle, line end points (x, y, w, h = x0, y0, x1, y1), oval centre and radii
  float rotation, scale;
  int frame;
  float r, g, b, alpha;
  int blend;
};

// The game's generator: seed * 1664525 + 1013904223, the top 24 bits as [0, 1).
struct Random {
  uint32_t seed;
  float Next() {
    seed = seed * 1664525u + 1013904223u;
    return float(seed >> 8) / 16777216.0f;
  }
  float Range(float lo, float hi) { return lo + (hi - lo) * Next(); }
};

// A sheet of `frames` frames of fw x fh, handle at each frame's centre, painted by `paint(frame, x, y)`
// returning an ARGB int.
template <class Paint>
c_Image* PaintSheet(int fw, int fh, int frames, Paint paint) {
  c_Image* image = rt_graphics_CreateImage(fw, fh, frames, c_Image::HandleCentre);
  if (!image) return nullptr;
  int w = fw * frames;
  Array<int> pixels(w * fh);
  for (int y = 0; y < fh; ++y)
    for (int x = 0; x < w; ++x) pixels[y * w + x] = int(paint(x / fw, x % fw, y));
  rt_graphics_device->WritePixels2(image->m_surface, pixels, 0, 0, w, fh, 0, w);
  return image;
}

inline uint32_t Argb(int a, int r, int g, int b) {
  return uint32_t(a) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
}

class BusyFrame {
 public:
  static constexpr int kRecords = 2500;
  c_Image* glows = nullptr;  // sheet A: 8 round glows of 32 x 32
  c_Image* ships = nullptr;  // sheet B: 4 ships of 64 x 48
  std::vector<Record> records;

  // Paints the sheets (needs the device and a GL context) and lays out the records for a screen size.
  void Build(float width, float height) {
    glows = PaintSheet(32, 32, 8, [](int f, int x, int y) {
      float dx = x - 15.5f, dy = y - 15.5f, d = std::sqrt(dx * dx + dy * dy) / 16.0f;
      int a = d >= 1 ? 0 : int(255 * (1 - d) * (1 - d));
      return Argb(a, 255, 96 + f * 20, 255 - f * 30);
    });
    ships = PaintSheet(64, 48, 4, [](int f, int x, int y) {
      // A ship pointing right: a wedge with a cockpit, in one of four hull colours.
      static const int hull[4][3] = {{220, 60, 60}, {60, 200, 90}, {230, 200, 40}, {170, 90, 230}};
      float half = 22.0f * (1.0f - x / 63.0f);
      float dy = std::fabs(y - 23.5f);
      if (dy > half) return Argb(0, 0, 0, 0);
      if (dy > half - 2) return Argb(255, 250, 250, 250);
      if (x > 20 && x < 34 && dy < 4) return Argb(255, 40, 200, 255);
      return Argb(255, hull[f][0], hull[f][1], hull[f][2]);
    });
    records.clear();
    records.reserve(kRecords);
    Random rnd{415};
    auto add = [&](Record r) { records.push_back(r); };
    // Stars: 1-3 pixel squares.
    for (int i = 0; i < 299; ++i) {
      float s = float(1 + int(rnd.Next() * 3)), v = rnd.Range(120, 255);
      add({kRect, rnd.Range(0, width), rnd.Range(0, height * 0.6f), s, s, 0, 1, 0, v, v, v, 1, 0});
    }
    // Ground grid: lines fanning from the horizon, then horizontal rungs.
    float horizon = height * 0.62f;
    for (int i = 0; i < 200; ++i) {
      if (i < 120) {
        float t = (i - 60) / 60.0f;
        add({kLine, width * 0.5f + t * width * 0.3f, horizon, width * 0.5f + t * width * 2.5f, height, 0, 1, 0, 40, 80,
             200, 1, 0});
      } else {
        float t = (i - 120) / 80.0f, y = horizon + (height - horizon) * t * t;
        add({kLine, 0, y, width, y, 0, 1, 0, 40, 80, 200, 1, 0});
      }
    }
    // Trail: colour-cycling quads behind the ship.
    for (int i = 0; i < 100; ++i) {
      float h = i * 0.25f;
      add({kRect, width * 0.1f + i * 2.0f, height * 0.45f + 8 * std::sin(i * 0.2f), 2, 10, 0, 1, 0,
           127 + 127 * std::sin(h), 127 + 127 * std::sin(h + 2.1f), 127 + 127 * std::sin(h + 4.2f), 0.8f, 0});
    }
    // Objects in spawn order: ships with their bullets among them.
    int shipsLeft = 400, bulletsLeft = 200;
    while (shipsLeft + bulletsLeft > 0) {
      bool bullet = bulletsLeft > 0 && (shipsLeft == 0 || rnd.Next() < 0.33f);
      if (bullet) {
        float r = rnd.Range(3, 6);
        add({kOval, rnd.Range(0, width), rnd.Range(0, height), r, r, 0, 1, 0, 255, 160, 40, 1, 0});
        --bulletsLeft;
      } else {
        add({kSpriteB, rnd.Range(0, width), rnd.Range(0, height), 0, 0, rnd.Range(-30, 30), rnd.Range(0.4f, 1.0f),
             int(rnd.Next() * 4), 255, 255, 255, 1, 0});
        --shipsLeft;
      }
    }
    // Particles: additive glows.
    for (int i = 0; i < 1300; ++i) {
      add({kSpriteA, rnd.Range(0, width), rnd.Range(0, height), 0, 0, rnd.Range(0, 360), rnd.Range(0.2f, 1.2f),
           int(rnd.Next() * 8), 255, 255, 255, rnd.Range(0.3f, 1), 1});
    }
    // Score panel.
    add({kRect, 8, 8, 160, 24, 0, 1, 0, 0, 0, 40, 0.7f, 0});
  }

  // The small-item list instead: 3,000 items of 2 to 12 pixels, in runs as the game draws them: turning
  // sparks from one sheet, runs of ships from the other sheet between runs of sparks, round bullets of
  // many sizes, and specks.
  void BuildSmall(float width, float height) {
    records.clear();
    records.reserve(3000);
    Random rnd{7};
    while (records.size() < 3000) {
      int run = 4 + int(rnd.Next() * 12);
      float pick = rnd.Next();
      for (int i = 0; i < run; ++i) {
        float x = rnd.Range(0, width), y = rnd.Range(0, height);
        if (pick < 0.45f) {
          records.push_back({kSpriteA, x, y, 0, 0, rnd.Range(0, 360), rnd.Range(0.1f, 0.3f), int(rnd.Next() * 8), 255,
                             255, 255, rnd.Range(0.3f, 1), 0});
        } else if (pick < 0.65f) {
          records.push_back({kSpriteB, x, y, 0, 0, rnd.Range(-30, 30), rnd.Range(0.1f, 0.2f), int(rnd.Next() * 4), 255,
                             255, 255, 1, 0});
        } else if (pick < 0.9f) {
          float r = rnd.Range(1, 12);
          records.push_back({kOval, x, y, r, r, 0, 1, 0, 255, 160, 40, 1, 0});
        } else {
          records.push_back({kRect, x, y, 2, 2, 0, 1, 0, 200, 200, 255, 1, 0});
        }
      }
    }
  }

  // Replays the records into the open render pass; the blend mode is set only when it changes.
  void Render() const {
    int blend = -1;
    for (const Record& r : records) {
      if (r.blend != blend) {
        blend = r.blend;
        rt_graphics_SetBlend(blend);
      }
      rt_graphics_SetColor(r.r, r.g, r.b);
      rt_graphics_SetAlpha(r.alpha);
      switch (r.kind) {
        case kRect: rt_graphics_DrawRect(r.x, r.y, r.w, r.h); break;
        case kLine: rt_graphics_DrawLine(r.x, r.y, r.w, r.h); break;
        case kOval: rt_graphics_DrawEllipse(r.x, r.y, r.w, r.h); break;
        case kSpriteA: rt_graphics_DrawImage2(glows, r.x, r.y, r.rotation, r.scale, r.scale, r.frame); break;
        case kSpriteB: rt_graphics_DrawImage2(ships, r.x, r.y, r.rotation, r.scale, r.scale, r.frame); break;
      }
    }
  }
};

}  // namespace vxscene
