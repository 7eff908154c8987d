// Start-up and the game's art: p_OnCreate, the resolution level from the window size, loading images and
// fonts into numbered slots, blank images, and the switch between a window and full screen.
#include "app/app.h"
#include "game/myapp.h"

namespace {

bool ValidSlot(int slot) { return slot >= 0 && slot < 100; }

}  // namespace

int c_MyApp::p_OnCreate() {
  m_Fullscreen = 0;
  m_LogoSfxDone = 0;
  m_MenuSel = 1;
  m_WheelAngle = -32.0f;

  if (rt_Quorva_J_On_Allow == 1) {
    p_GetURL(String("http://housecall.vextrallis.invalid/housecall.php"),
             String("hello=1&gameID=") + String(rt_Quorva_GameNum));
  }

  m_GameMode = 1;
  rt_app_SetUpdateRate(60);

  m_LastDevWidth = rt_app_DeviceWidth();
  m_LastDevHeight = rt_app_DeviceHeight();

  p_Reload();

  m_Difficulty = 2;
  m_MenuSlide = -32;
  m_Paused = 0;
  m_PauseDir = -1;
  m_PauseY = -64;
  for (int i = 0; i < 15; ++i) {
    m_BadgeNoteId[i] = 0;
    m_BadgeNoteTime[i] = 0;
  }
  for (int i = 0; i < 128; ++i) m_Badges[i] = false;
  for (int i = 0; i < 19; ++i) m_Pad[i] = 0;

  for (int i = 0; i < 25; ++i) m_Options[i] = 0;
  m_Options[5] = 1;
  for (int i = 0; i <= 30; ++i) m_HiScores[i] = 0;

  p_Load();

  for (int i = 0; i < 33; ++i) m_NoteSounds[i] = i;
  return 0;
}

int c_MyApp::p_ChooseLevel() {
  const int W = rt_app_DeviceWidth(), H = rt_app_DeviceHeight();
  if (W > 1230 || H > 1230) {
    m_HDLevel = 4;
    m_ImageScale = 0.25f;
  } else if (W > 630 || H > 630) {
    m_HDLevel = 2;
    m_ImageScale = 0.5f;
  } else {
    m_HDLevel = 1;
    m_ImageScale = 1.0f;
  }
  return 0;
}

String c_MyApp::p_ImgSuffix() {
  if (m_HDLevel == 4) return String("-hd2");
  if (m_HDLevel == 2) return String("-hd");
  return String();
}

int c_MyApp::p_LoadImg(int slot, String name, int w, int h, int frames, int flags) {
  if (!ValidSlot(slot)) return 0;
  String file = name + p_ImgSuffix() + String(".png");
  // Release the old image first, so that a failed load leaves the slot empty.
  gc_store(m_Images[slot], static_cast<c_Image*>(nullptr));
  gc_store(m_Images[slot], rt_graphics_LoadImageGrid(file, w * m_HDLevel, h * m_HDLevel, frames, flags));
  m_ImageInfo[3 * slot] = w * m_HDLevel;
  m_ImageInfo[3 * slot + 1] = h * m_HDLevel;
  m_ImageInfo[3 * slot + 2] = frames;
  return 0;
}

int c_MyApp::p_LoadFont(int slot, String name, int gw, int gh) {
  if (!ValidSlot(slot)) return 0;
  String file = name + p_ImgSuffix() + String(".png");
  gc_store(m_Images[slot], static_cast<c_Image*>(nullptr));
  gc_store(m_Images[slot], rt_graphics_LoadImageGrid(file, 16 * m_HDLevel, 16 * m_HDLevel, 128, c_Image::HandleCentre));
  // The logical glyph advance and line height, not the pixel cell size.
  m_ImageInfo[3 * slot] = gw;
  m_ImageInfo[3 * slot + 1] = gh;
  m_ImageInfo[3 * slot + 2] = 128;
  m_FontSlot = slot;
  return 0;
}

int c_MyApp::p_ReserveImg(int slot, int w, int h) {
  if (!ValidSlot(slot)) return 0;
  gc_store(m_Images[slot], static_cast<c_Image*>(nullptr));
  gc_store(m_Images[slot], rt_graphics_CreateImage(w, h, 1, c_Image::HandleCentre));
  m_ImageInfo[3 * slot] = w;
  m_ImageInfo[3 * slot + 1] = h;
  m_ImageInfo[3 * slot + 2] = 1;
  return 0;
}

int c_MyApp::p_FullscreenFlip() {
  m_Fullscreen = 1 - m_Fullscreen;
  RtGlfwGame* host = RtGlfwGame::_glfwGame;
  if (!host) return 0;
  RtGlfwVideoMode* desktop = host->GetGlfwDesktopMode();
  int red = desktop ? desktop->red : 8, green = desktop ? desktop->green : 8, blue = desktop ? desktop->blue : 8;
  if (m_Fullscreen == 1) {
    int w = desktop ? desktop->width : 640, h = desktop ? desktop->height : 480;
    host->SetGlfwWindow(w, h, red, green, blue, 0, 0, 0, true);
  } else {
    host->SetGlfwWindow(640, 480, red, green, blue, 0, 0, 0, false);
  }
  // The new window has a new context: images come back from their retained pixels, and the render
  // sees the new size and reloads the art for it.
  return 0;
}
