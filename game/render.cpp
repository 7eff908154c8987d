// The render: clears the window, notices a change of size, computes the virtual screen and replays the
// draw list that the last update recorded, scaled from virtual pixels to the device.
#include "game/myapp.h"
#include "game/timing.h"
#include "host/journal/journal.h"

namespace {

// A colour channel as the renderer stores it for a drawn colour: truncated to a whole value in 0..255.
float ColourByte(float v) { return v > 0.0f ? (v < 255.0f ? float(int(v)) : 255.0f) : 0.0f; }

}  // namespace

int c_MyApp::p_OnRender() {
  rt_Quorva_Tick(rt_app_Millisecs(), m_RenderLastMs, m_RenderFps, m_RenderFpsAvg);

  const int W = rt_app_DeviceWidth();
  const int H = rt_app_DeviceHeight();

  // An alpha below 1 lets the previous frame show through: the menus' fading trails.
  rt_graphics_SetColor(m_ClsR, m_ClsG, m_ClsB);
  rt_graphics_SetAlpha(m_ClsA);
  if (m_ClsA == 1.0f && rt_graphics_device) {
    // Opaque, the covering rectangle gives every pixel the clear colour (the frame starts with no
    // transform and normal blending), which clearing the frame buffer does without drawing anything:
    // no rasterising, and no shader to build before the first frame can show.
    rt_graphics_device->Cls(ColourByte(m_ClsR), ColourByte(m_ClsG), ColourByte(m_ClsB));
  } else {
    rt_graphics_DrawRect(-1.0f, -1.0f, float(W + 2), float(H + 2));
  }
  rt_graphics_SetColor(255.0f, 255.0f, 255.0f);
  rt_graphics_SetAlpha(1.0f);

  if (W != m_LastDevWidth || H != m_LastDevHeight) {
    m_LastDevWidth = W;
    m_LastDevHeight = H;
    // A new size reloads everything, the loading screen's own logo and font first.
    m_LoadScreenArt = 1;
    m_ReloadPending = 1;
  }

  const float o = rt_Quorva_overscan;
  // A window of no size (minimised) keeps the last virtual screen instead of dividing by zero.
  if (W > 0 && H > 0) {
    const float f = W >= H ? 1.0f : 1.5f;
    const float keptW = rt_Quorva_rawscrw * f, keptH = rt_Quorva_rawscrh * f;
    const float sx = (float(W) - 2.0f * o) / keptW;
    const float sy = (float(H) - 2.0f * o) / keptH;
    // The deciding axis keeps the design size exactly, and the other follows the window's proportions
    // from it in one rounding. Dividing the device size by a rounded scale instead gives 479.99997 for
    // 1024 / (1024 / 480), which the score lists and the debug block truncate to 479.
    if (sy <= sx) {
      m_ScaleX = sx;
      m_ScaleY = sx;
      m_Tmp = 1;
      rt_Quorva_jscrw = keptW;
      rt_Quorva_jscrh = float(H) * keptW / float(W);
    } else {
      m_ScaleX = sy;
      m_ScaleY = sy;
      m_Tmp = 2;
      rt_Quorva_jscrw = float(W) * keptH / float(H);
      rt_Quorva_jscrh = keptH;
    }
    m_Landscape = rt_Quorva_jscrh <= rt_Quorva_jscrw ? 1 : 0;
  }

  if (m_DrawCount > 14) {
    const float oy = W > 0 ? o * float(H) / float(W) : 0.0f;
    const float* list = m_DrawList.Data();
    for (int at = 0; at + kDrawRecord <= m_DrawCount; at += kDrawRecord) {
      const float* r = list + at;
      rt_graphics_SetAlpha(r[7]);
      rt_graphics_SetColor(r[10], r[11], r[12]);
      // The renderer flushes its batch on every blend call, so the mode is passed on only when it changes.
      const int blend = r[13] == 3.0f ? 1 : 0;
      if (blend != rt_graphics_context->m_blend) rt_graphics_SetBlend(blend);
      const float x = r[1] * m_ScaleX + o;
      const float y = r[2] * m_ScaleY + oy;
      const float kind = r[0];
      if (kind == kDrawRect) {
        rt_graphics_DrawRect(x, y, r[4] * m_ScaleX, r[5] * m_ScaleY);
      } else if (kind == kDrawOval) {
        rt_graphics_DrawEllipse(x, y, r[4] * m_ScaleX, r[5] * m_ScaleY);
      } else if (kind == kDrawLine) {
        rt_graphics_DrawLine(x, y, r[4] * m_ScaleX + o, r[5] * m_ScaleY + oy);
      } else if (kind >= 0.0f && kind < float(m_Images.Length())) {
        c_Image* image = m_Images[int(kind)];
        const int frame = int(r[6]);
        // An empty slot, or a frame the image does not have, draws nothing.
        if (image && frame >= 0 && frame < image->m_frames.Length()) {
          rt_graphics_DrawImage2(image, x, y, r[3], r[4] * m_ScaleX * m_ImageScale, r[5] * m_ScaleY * m_ImageScale,
                                 frame);
        }
      }
    }
  }

  rt_graphics_SetAlpha(0.5f);
  rt_graphics_SetColor(255.0f, 255.0f, 255.0f);
  // A recorded or replayed session keeps a hash of every frame's list, to show where a replay departs.
  journal_NoteDrawList(m_DrawList.Data(), m_DrawCount);
  return 0;
}
