// The stepwise loader: one group of images and sounds per update while the loading screen spins, so a
// full load takes 15 updates; a change of window size starts it again at step 1 with the new level.
#include <algorithm>
#include <cmath>

#include "game/game_math.h"
#include "game/myapp.h"

namespace {

// One ring of the spinner: eleven dots trailing behind the leading, opaque one.
void Ring(c_MyApp* app, float r, float g, float b, float angle0, float radius, float dot) {
  const float cx = rt_Quorva_jscrw * 0.5f, cy = rt_Quorva_jscrh * 0.5f;
  for (int i = 0; i <= 10; ++i) {
    app->p_SetCol(r, g, b, float(i) / 10.0f);
    float a = (angle0 + 4.0f * float(i)) * kDegToRad;
    app->p_Oval(cx + std::sin(a) * radius, cy - std::cos(a) * radius, dot, dot);
  }
}

}  // namespace

int c_MyApp::p_Reload() {
  m_ClsR = 0.0f;
  m_ClsG = 0.0f;
  m_ClsB = 0.0f;
  m_ClsA = 1.0f;
  p_ChooseLevel();
  // The loading screen's logo and font load with the loader's first step rather than here: the first
  // frame is rendered before any update and shows only the clear, so it need not wait for them. That
  // step is the only place they load, once per reload.
  m_LoadScreenArt = 1;
  m_ReloadPending = 1;
  return 0;
}

int c_MyApp::p_Loader() {
  p_ChooseLevel();
  if (m_LoadScreenArt == 1) {
    p_LoadImg(93, String("common/ZOLKLogo"), 256, 256, 1, 1);
    p_LoadFont(90, String("fonts/shadow_pelmar"), 7, 10);
    m_LoadScreenArt = 0;
  }
  switch (m_ReloadPending) {
    case 1:
      p_LoadImg(97, String("common/icons"), 32, 32, 16, 1);
      p_ReserveImg(81, 2048, 2048);
      p_LoadSFX(96);
      break;
    case 2:
      p_LoadImg(95, String("common/Buttons"), 64, 64, 16, 1);
      p_LoadSFX(1);
      break;
    case 3:
      p_LoadImg(94, String("common/dpad"), 32, 32, 16, 1);
      p_LoadSFX(98);
      break;
    case 4:
      // The maker's jingle sounds at the first load of a run only, not after a resize.
      if (m_LogoSfxDone == 0) {
        p_PlaySFX(96, 1.0f, 1.0f, 0.0f);
        m_LogoSfxDone = 1;
      }
      break;
    case 5:
      p_LoadSFX(99);
      break;
    case 6:
      p_LoadImg(99, String("menu"), 256, 256, 4, 1);
      p_LoadImg(98, String("logo"), 256, 128, 1, 1);
      p_LoadSFX(95);
      break;
    case 7:
      p_LoadImg(80, String("BadgesA"), 64, 64, 64, 1);
      p_LoadImg(96, String("parts"), 4, 4, 64, 1);
      break;
    case 8:
      p_LoadImg(85, String("common/circle"), 256, 256, 4, 1);
      p_LoadImg(86, String("common/light"), 32, 32, 4, 1);
      break;
    case 9:
      p_LoadImg(1, String("ships"), 64, 64, 16, 1);
      break;
    case 10: case 11: case 12: case 13: case 14: {
      int first = 2 * (m_ReloadPending - 10) + 2;
      p_LoadSFX(first);
      p_LoadSFX(first + 1);
      break;
    }
    default:
      if (m_ReloadPending > 14) m_ReloadPending = 0;
      break;
  }
  if (m_ReloadPending > 0) ++m_ReloadPending;
  p_WaitStart(1);
  return 0;
}

int c_MyApp::p_WaitStart(int mode) {
  (void)mode;
  // The background fades to black over successive frames.
  m_BgToR = 0.0f;
  m_BgToG = 0.0f;
  m_BgToB = 0.0f;
  m_BgR -= m_BgR * 0.125f;
  m_BgG -= m_BgG * 0.125f;
  m_BgB -= m_BgB * 0.125f;
  p_CLS2D(m_BgR, m_BgG, m_BgB, 1.0f);

  m_ScreenMin = int(std::min(rt_Quorva_jscrw, rt_Quorva_jscrh));
  m_SpinAngle += 3;
  const float a0 = float(m_SpinAngle), m = float(m_ScreenMin);
  const float cx = rt_Quorva_jscrw * 0.5f;

  Ring(this, 0.0f, 125.0f, 255.0f, a0, m * 0.45f, 16.0f);

  p_SetSize(2.0f);
  p_SetRot(0.0f);
  p_SetCol(255.0f, 255.0f, 255.0f, 1.0f);
  p_DrawImg(93, cx, rt_Quorva_jscrh * 0.48f, 0.0f);
  p_SetSize(1.0f);

  Ring(this, 255.0f, 125.0f, 0.0f, a0 + 120.0f, m * 0.4f, 12.0f);
  Ring(this, 255.0f, 125.0f, 0.0f, a0 + 240.0f, m * 0.35f, 8.0f);

  p_SetCol(255.0f, 255.0f, 255.0f, 1.0f);
  p_SetSize(1.0f);
  p_Text(cx, rt_Quorva_jscrh - 32.0f, String("Loading..."), 1.0f, 1.0f, 0);
  return 0;
}
