// The game's sound layer: numbered effects played in rotation over 24 channels with rate, volume and pan,
// and one looping tune, both following the sound setting (m_Options[5]).
#include "game/myapp.h"

namespace {

const int kEffectChannels = 24;

// The sound setting lets effects through at 1 (effects and music) and 2 (effects only).
bool EffectsOn(int setting) { return setting == 1 || setting == 2; }
// ...and music at 1 and 3 (music only).
bool MusicOn(int setting) { return setting == 1 || setting == 3; }

// "sfx/" + the number with at least three digits + ".wav".
String EffectFile(int n) {
  String prefix = n < 10 ? String("sfx/00") : n < 100 ? String("sfx/0") : String("sfx/");
  return prefix + String(n) + String(".wav");
}

}  // namespace

int c_MyApp::p_LoadSFX(int n) {
  // A number beyond the 100 slots has a file name but nowhere to be kept.
  if (n < 0 || n >= m_Sounds.Length()) {
    if (n >= 0) rt_audio_LoadSound(EffectFile(n));
    return 0;
  }
  gc_store(m_Sounds[n], static_cast<c_Sound*>(nullptr));
  gc_store(m_Sounds[n], rt_audio_LoadSound(EffectFile(n)));
  return 0;
}

int c_MyApp::p_PlaySFX(int n, float rate, float volume, float pan) {
  if (!EffectsOn(m_Options[5])) return 0;
  if (n < 0 || n >= m_Sounds.Length() || !m_Sounds[n]) return 0;
  m_NoteIdx = (m_NoteIdx + 1) % kEffectChannels;
  int channel = m_NoteSounds[m_NoteIdx];
  rt_audio_StopChannel(channel);
  rt_audio_PlaySound(m_Sounds[n], channel, 0);
  rt_audio_SetChannelRate(channel, rate);
  rt_audio_SetChannelVolume(channel, volume);
  rt_audio_SetChannelPan(channel, pan);
  return 0;
}

int c_MyApp::p_PlaySFX(int n, float rate) { return p_PlaySFX(n, rate, 1.0f, 0.0f); }

int c_MyApp::p_PlayTune(String name, int flags) {
  // "-1" restarts the last tune (the options box uses it when music is switched back on); with no tune
  // started yet there is nothing to restart.
  if (name == String("-1")) {
    if (m_TuneName.Length() == 0) return 0;
    name = m_TuneName;
  }
  if (name.Length() == 0) return 0;
  m_TuneName = name;
  if (m_MusicOn == 1) {
    rt_audio_StopMusic();
    m_MusicOn = 0;
  }
  if (!MusicOn(m_Options[5])) return 0;
  rt_audio_PlayMusic(String("sfx/") + name + String(".ogg"), flags);
  m_MusicOn = 1;
  return 0;
}

int c_MyApp::p_StopTune() {
  rt_audio_StopMusic();
  m_MusicOn = 0;
  return 0;
}
