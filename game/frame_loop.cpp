// The per-update frame: function keys, timing, the pointer snapshot, the mode machine with the game-over
// overlay rule, one frame of play, pause handling, and the set-up and reset of a new game.
#include <cmath>
#include <cstring>

#include "game/game_math.h"
#include "game/myapp.h"
#include "game/timing.h"
#include "input/input.h"
#include "net/async_event.h"
#include "runtime/zero_fill.h"

namespace {

// Control codes whose press keeps the key latch set.
const int kLatchCodes[] = {0, 3, 5, 8, 10, 11, 12, 13, 14, 15, 16, 17, 99};

}  // namespace

int c_MyApp::p_OnUpdate() {
  m_Pad[19] = rt_input_KeyHit(kKeyBack);

  if (rt_input_KeyHit(112)) rt_Quorva_DebugMode = 1 - rt_Quorva_DebugMode;
  if (rt_input_KeyHit(113)) m_HideHud = 1 - m_HideHud;
  if (rt_input_KeyHit(122)) p_FullscreenFlip();
  if (rt_input_KeyHit(115) || rt_input_KeyHit(kKeyCloseRequest)) rtError(String());

  rt_asyncevent_UpdateAsyncEvents();

  if (m_MusicOn == 1) {
    if (m_Paused) {
      rt_audio_PauseMusic();
    } else {
      rt_audio_ResumeMusic();
    }
  }

  rt_Quorva_Tick(rt_app_Millisecs(), m_UpdLastMs, m_UpdFps, m_UpdFpsAvg);

  p_PointerSnapshot();

  bool anyHeld = false;
  for (int code : kLatchCodes) {
    for (int unit = 0; unit < 4 && !anyHeld; ++unit) anyHeld = p_PlayKey(code, 1, unit) != 0;
    if (anyHeld) break;
  }
  if (!anyHeld) m_KeyHeld = 0;
  // On the title screen the back control first closes whatever is open over the menu.
  if (m_GameMode == 1 && (m_ShowCredits == 1 || m_OptionsOpen == 1) && m_KeyHeld == 0 &&
      p_AnyPad(99) != 0) {
    m_ShowCredits = 0;
    m_KeyHeld = 1;
    m_TouchHeld = 1;
  }

  if (m_ReloadPending == 0) p_DispatchMode();
  if (m_ReloadPending > 0) p_Loader();

  if (rt_Quorva_iCadeControls == 1) p_ICadeDecode();

  for (int i = 0; i < 19; ++i) {
    if (m_Pad[i] == 1) m_Pad[i] = 0;
  }

  if (rt_Quorva_DebugMode == 1) {
    p_Text(16.0f, rt_Quorva_jscrh - 16.0f,
           String(m_ScaleY) + String(",") + String(m_ScaleX) + String(":") + String(m_RenderFpsAvg), 0.0f, 0.0f, 0);
  }

  p_ShowBadges();
  p_ShowSaveNotice();
  return 0;
}

int c_MyApp::p_DispatchMode() {
  switch (m_GameMode) {
    case 1:
      p_Menu();
      break;
    case 2:
      p_LoadMenu();
      p_PlaySFX(96, 1.0f);
      m_GameMode = 1;
      break;
    case 10:
      if (!m_Paused) p_Game();
      p_InGame();
      break;
    case 11:
      p_LoadGame();
      break;
    default:
      break;
  }
  // The game-over overlay: over play once the run has ended, and over the title while it shrinks away.
  if (m_GameMode == 10 && m_GameOver > 0) p_GameOver();
  if (m_GameMode == 1 || m_GameMode == 2) p_GameOver();

  if (m_OptionsOpen == 1) {
    if (m_OptSlide < 30) ++m_OptSlide;
  } else if (m_OptSlide > 0) {
    --m_OptSlide;
  }
  if (m_OptionsOpen == 1 || m_OptSlide > 0) p_OptionBox();

  if (m_ShowCredits == 1) {
    float target = rt_Quorva_jscrw - 140.0f;
    m_PanelGrow += (target - m_PanelGrow) / 8.0f;
    if (std::fabs(target - m_PanelGrow) < 8.0f) m_PanelGrow = target;
  } else {
    m_PanelGrow -= m_PanelGrow / 8.0f;
    if (m_PanelGrow < 8.0f) m_PanelGrow = 0.0f;
  }
  return 0;
}

int c_MyApp::p_Game() {
  // Ease toward the play colour; this also empties the draw list for the new frame.
  p_DoBG(0, 0, 40, -123.0f);

  float d = (m_ShakeX - m_ShakeToX) * 0.125f;
  float e = (m_ShakeY - m_ShakeToY) * 0.125f;
  m_ShakeX -= d;
  m_ShakeY -= e;

  p_BGBoxes();
  p_DoStars(d - 4.0f, e);

  p_ScrollGrid();
  p_AnalogueControl();

  p_DrawGrid();
  p_DoLines(-5.0f, 0.0f);

  p_ResetDraw();
  p_DoPlayer();
  p_ResetDraw();
  p_DoObj();
  p_ResetDraw();
  p_DoParticles(1.0f);

  // Reserve lives: draw the icons; a destroyed ship comes back from the first one left.
  if (m_Player[89] > 0.0f) m_Player[89] += 1.0f;
  for (int i = 0; i < 8; ++i) {
    if (m_Lives[i] == 0) continue;
    p_LifeIconPos(i);
    m_Rot = -90.0f;
    m_SizeX = 0.5f;
    m_SizeY = 0.5f;
    m_Alpha = 1.0f;
    p_DrawImg(1, m_Tx, m_Ty, 0.0f);
    if (m_Player[89] > 30.0f) {
      m_Player[89] = -30.0f;
      m_Player[1] = m_Tx;
      m_Player[2] = m_Ty;
      m_Lives[i] = 0;
    }
  }
  if (m_Player[89] > 90.0f) m_GameOver = 1;

  p_ResetDraw();
  p_ScoreDisplay();
  return 0;
}

int c_MyApp::p_LifeIconPos(int i) {
  int g = int((rt_Quorva_jscrh - 64.0f) * 0.125f);
  int y0 = int(float(g) * 0.5f + 32.0f);
  float theta = float(rt_app_Millisecs() / 10 + 40 * i) * kDegToRad;
  float wobble = 8.0f * std::sin(theta);
  m_IconGap = g;
  m_Tx = 32.0f + wobble;
  m_Ty = float(y0 + i * g) + wobble;
  return 0;
}

int c_MyApp::p_InGame() {
  p_ResetDraw();
  m_MenuSlide = -32;

  int request = p_PlayKeyAll(99, 1);
  if (request != 0 && !m_Paused && m_KeyHeld == 0) {
    m_KeyHeld = 1;
    m_Paused = 1;
    m_PauseDir = 1;
    m_PauseCursor = 0;
    p_PlaySFX(98, 1.0f, 0.5f, 0.0f);
  }

  if (m_HideHud) {
    if (m_Paused) p_PauseMenu();
    return 0;
  }

  m_Alpha = m_ControlMode == 2 ? 1.0f : 0.2f;
  const bool pressed = p_Button(97, 16.0f, 16.0f, 0) != 0;
  if (pressed && !m_Paused) {
    m_TouchHeld = 1;
    m_Paused = 1;
    m_PauseDir = 1;
    m_PauseCursor = 0;
    p_PlaySFX(98, 1.0f, 0.5f, 0.0f);
  }
  m_Alpha = 1.0f;
  if (m_Paused == 1) p_PauseMenu();
  return 0;
}

int c_MyApp::p_LoadGame() {
  m_GameMode = 10;
  p_PlayTune(String("Linoleum"), 1);
  p_FlushGame();
  p_LayoutBGBoxes();
  m_TouchHeld = 1;

  m_Player[21] = 500.0f;
  m_Player[1] = 64.0f;
  m_Player[2] = 0.5f * rt_Quorva_jscrh;
  m_Player[5] = 90.0f;
  m_Player[6] = 90.0f;
  if (m_Difficulty == 1) {
    m_Player[65] = 250.0f;
    m_Player[66] = 400.0f;
  } else if (m_Difficulty == 3) {
    m_Player[65] = 90.0f;
    m_Player[66] = 180.0f;
  } else {
    m_Player[65] = 150.0f;
    m_Player[66] = 300.0f;
  }
  for (int i = 0; i < 8; ++i) m_Lives[i] = 1;
  return 0;
}

int c_MyApp::p_FlushGame() {
  p_ResetObj();
  p_ResetGrid();
  p_ResetStars(100);
  p_ResetParticles(250);
  p_ResetPlayers();
  for (int i = 0; i <= m_LineCount; ++i) m_Lines[i * 10] = 0.0f;
  for (int i = 0; i <= m_TrailLen; ++i) {
    m_Trail[2 * i + 1] = -100.0f;
    m_Trail[2 * i + 2] = 0.5f * rt_Quorva_jscrh;
  }
  // A pause can outlive its run (taken during the game-over overlay, it lasts into the title); the next
  // run's first pause must keep that run's own frame and slide in from the start.
  m_Paused = 0;
  m_PauseBase = -1;
  m_PauseDir = -1;
  m_PauseY = -64;
  // No touch stick is active until a press in this game anchors one.
  m_StickAnchorX = -1;
  m_Score = 0;
  m_GameOver = 0;
  m_QuitRun = 0;
  m_GameOverTimer = 0;
  m_ShakeX = 0.0f;
  m_ShakeToX = 0.0f;
  m_ShakeY = 0.0f;
  m_ShakeToY = 0.0f;
  return 0;
}

int c_MyApp::p_ResetObj() {
  std::memset(m_Obj.Data(), 0, sizeof(float) * size_t(m_Obj.Length()));
  return 0;
}

int c_MyApp::p_ResetGrid() {
  // Nothing reads the grid: zeroing it hands its pages back rather than writing 20 MB of zeros.
  rt_zero_fill(m_Grid.Data(), sizeof(float) * size_t(m_Grid.Length()));
  return 0;
}

int c_MyApp::p_ResetParticles(int n) {
  if (n >= 1 && n < 500) m_ParticleCount = n;
  if (m_ParticleCount < 0) return 0;
  for (int i = 0; i <= m_ParticleCount; ++i) m_Particles[i * 10] = 0.0f;
  return 0;
}

int c_MyApp::p_ResetPlayers() {
  for (int i = 0; i < 500; ++i) m_Player[i] = 0.0f;
  return 0;
}
