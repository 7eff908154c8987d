// The audio module: c_Sound and the rt_audio_ functions the game plays sounds and music through, all on
// the one device of rt_audio_device.
#include "app/app.h"  // Required for: rt_data_FixDataPath
#include "audio/audio.h"

gxtkAudio* rt_audio_device = nullptr;

c_Sound* c_Sound::m_new(gxtkSample* sample) {
  gc_assign(m_sample, sample);
  return this;
}

c_Sound* c_Sound::m_new() { return this; }

void c_Sound::mark() { gc_mark(m_sample); }

void rt_audio_SetAudioDevice(gxtkAudio* device) { gc_assign(rt_audio_device, device); }

c_Sound* rt_audio_LoadSound(String path) {
  gxtkSample* sample = rt_audio_device->LoadSample(rt_data_FixDataPath(path));
  return sample ? (new c_Sound)->m_new(sample) : nullptr;
}

int rt_audio_PlaySound(c_Sound* sound, int channel, int flags) {
  if (sound && sound->m_sample) rt_audio_device->PlaySample(sound->m_sample, channel, flags);
  return 0;
}

int rt_audio_StopChannel(int channel) {
  rt_audio_device->StopChannel(channel);
  return 0;
}

int rt_audio_SetChannelVolume(int channel, float volume) {
  rt_audio_device->SetVolume(channel, volume);
  return 0;
}

int rt_audio_SetChannelPan(int channel, float pan) {
  rt_audio_device->SetPan(channel, pan);
  return 0;
}

int rt_audio_SetChannelRate(int channel, float rate) {
  rt_audio_device->SetRate(channel, rate);
  return 0;
}

int rt_audio_PlayMusic(String path, int flags) { return rt_audio_device->PlayMusic(rt_data_FixDataPath(path), flags); }

int rt_audio_StopMusic() {
  rt_audio_device->StopMusic();
  return 0;
}

int rt_audio_PauseMusic() {
  rt_audio_device->PauseMusic();
  return 0;
}

int rt_audio_ResumeMusic() {
  rt_audio_device->ResumeMusic();
  return 0;
}
