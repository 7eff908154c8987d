// The state string: settings, badge flags and score tables as "|"-terminated decimal integers guarded by
// three kinds of checksum; writing, tolerant reading (each damaged section is reset on its own), and the
// suspend and resume handlers, which save.
#include "game/myapp.h"
#include "game/state_fields.h"
#include "input/input.h"

namespace {

const int kOptionCount = 25;
const int kBadgeWords = 8;
const int kScoreBlocks = 8;   // written; only the first three are read back
const int kReadBlocks = 3;

// Sums wrap around as signed 32-bit integers do on the machine the string was made for.
int32_t WrapAdd(int32_t a, int64_t b) { return int32_t(uint32_t(a) + uint32_t(uint64_t(b))); }
int32_t WrapMul(int32_t a, int32_t b) { return int32_t(uint32_t(a) * uint32_t(b)); }

int32_t SettingsSum(const Array<int>& options) {
  int32_t s = 0;
  for (int i = 0; i < kOptionCount; ++i) s = WrapAdd(s, WrapMul(i, options[i]));
  return s;
}

int32_t BlockSum(const Array<int>& scores, int t) {
  int32_t h = 0;
  for (int j = 0; j < 10; ++j) {
    h = WrapAdd(h, WrapMul(j + 4, scores[10 * t + j]));
    h = WrapAdd(h, WrapMul(t + j + 3, scores[10 * t + 30 + j]));
  }
  return h;
}

}  // namespace

String c_MyApp::p_StateString() {
  // 203 fields of at most 12 characters each.
  char buf[203 * 12 + 16];
  StateFieldWriter w{buf, int(sizeof buf)};

  for (int i = 0; i < kOptionCount; ++i) w.Put(m_Options[i]);
  w.Put(SettingsSum(m_Options));

  int32_t badgeSum = 0;
  for (int g = 0; g < kBadgeWords; ++g) {
    uint32_t word = 0;
    for (int b = 0; b < 32; ++b) {
      if (m_Badges[32 * g + b]) word |= 1u << b;
    }
    w.Put(int32_t(word));
    badgeSum = WrapAdd(badgeSum, int32_t(word));
  }
  w.Put(badgeSum);

  for (int t = 0; t < kScoreBlocks; ++t) {
    for (int j = 0; j < 10; ++j) {
      w.Put(m_HiScores[10 * t + j]);
      w.Put(m_HiScores[10 * t + 30 + j]);
    }
    w.Put(BlockSum(m_HiScores, t));
  }
  return String(buf, w.at);
}

int c_MyApp::p_Save() {
  String state = p_StateString();
  if (rt_Quorva_DebugMode == 1) rtPrint(state);
  // A state file that cannot be written (a read-only folder, a full disk) loses what this save held, so
  // the first such failure of a session is told to the player; play goes on either way.
  if (rt_app_SaveState(state) != 0 && m_SaveFailed == 0) {
    m_SaveFailed = 1;
    m_SaveNoteTime = 1;
    m_SaveNoteText = String("Settings and scores cannot be saved in this folder");
  }
  return 0;
}

int c_MyApp::p_Load() {
  String state = rt_app_LoadState();
  StateFields F(state);
  const int n = F.Count();
  if (rt_Quorva_DebugMode == 1) rtPrint(state);

  int badgeStart = 0;
  if (n >= kOptionCount) {
    for (int i = 0; i < kOptionCount; ++i) m_Options[i] = F.Value(i);
    // A string of exactly 25 pieces has no checksum field: that counts as a mismatch.
    if (n > kOptionCount && SettingsSum(m_Options) == F.Value(kOptionCount)) {
      rtPrint(String("Settings Loaded"));
    } else {
      rtPrint(String("Settings Checksum Invalid"));
      for (int i = 0; i < kOptionCount; ++i) m_Options[i] = 0;
      m_Options[5] = 1;
    }
    badgeStart = kOptionCount + 1;
  }

  if (m_Options[10] < 64) m_Options[10] = 64;
  if (m_Options[11] < 64) m_Options[11] = 64;
  if (m_Options[12] < 8) m_Options[12] = 10;
  m_Options[14] = 1;
  rt_Quorva_overscan = 0.0f;

  const int badgeCheck = badgeStart + kBadgeWords;
  if (n > badgeCheck) {
    int32_t sum = 0;
    for (int g = 0; g < kBadgeWords; ++g) {
      int v = F.Value(badgeStart + g);
      for (int b = 0; b < 32; ++b) m_Badges[32 * g + b] = ((uint32_t(v) >> b) & 1u) != 0;
      sum = WrapAdd(sum, v);
    }
    if (sum == F.Value(badgeCheck)) {
      rtPrint(String("Badges Loaded"));
    } else {
      rtPrint(String("Badge Checksum Invalid"));
      for (int i = 0; i < m_Badges.Length(); ++i) m_Badges[i] = false;
    }
  }

  int c = badgeStart + kBadgeWords + 1;
  for (int t = 0; t < kReadBlocks; ++t) {
    if (!(c + 20 < n)) continue;
    for (int j = 0; j < 10; ++j) {
      m_HiScores[10 * t + j] = F.Value(c + 2 * j);
      m_HiScores[10 * t + 30 + j] = F.Value(c + 2 * j + 1);
    }
    if (BlockSum(m_HiScores, t) != F.Value(c + 20)) {
      for (int j = 0; j < 10; ++j) {
        m_HiScores[10 * t + j] = 0;
        m_HiScores[10 * t + 30 + j] = 0;
      }
    }
    c += 21;
  }
  rtPrint(String("Highscores Loaded"));
  return 0;
}

int c_MyApp::p_BankLoad() { return 0; }

namespace {

// A change of focus leaves a running game paused with the pause menu fully open; the title is unpaused.
void PauseIfPlaying(c_MyApp* app) {
  const bool playing = app->m_GameMode > 9;
  app->m_Paused = playing ? 1 : 0;
  app->m_PauseDir = playing ? 1 : 0;
  app->m_PauseY = playing ? int(rt_Quorva_jscrh / 2.0f) : 0;
}

}  // namespace

int c_MyApp::p_OnSuspend() {
  rt_input_DisableKeyboard();
  rt_Quorva_iCadeControls = 0;
  for (int i = 0; i < 19; ++i) m_Pad[i] = 0;
  PauseIfPlaying(this);
  rt_app_SetUpdateRate(5);
  p_Save();
  return 0;
}

int c_MyApp::p_OnResume() {
  PauseIfPlaying(this);
  rt_app_SetUpdateRate(60);
  rt_input_DisableKeyboard();
  rt_Quorva_iCadeControls = 0;
  for (int i = 0; i < 19; ++i) m_Pad[i] = 0;
  return 0;
}
