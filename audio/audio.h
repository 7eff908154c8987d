// The audio layer's public face: the OpenAL device with 33 channels (0..31 effects, 32 music), samples
// held in OpenAL buffers, and the rt_audio_ functions and c_Sound that the game plays sounds through.
#pragma once
#include <memory>
#include <vector>

#include "runtime/runtime.h"

typedef unsigned int gxtkALuint;  // an OpenAL source or buffer name (ALuint)

class gxtkSample;
class gxtkMusicDecoder;

// One channel of the device: a plain record, not a collected object.
struct gxtkChannel {
  gxtkALuint source = 0;          // 0 until the channel first needs one
  gxtkSample* sample = nullptr;   // the sample last started here (kept alive while it sounds)
  int flags = 0;                  // nonzero: looping
  int state = 0;                  // 0 stopped, 1 playing, 2 paused, as last seen

  // The channel's source, created on first use; when OpenAL has none left, the source of a stopped
  // effect channel moves here. 0 when there is none to be had.
  gxtkALuint AL_Source();
};

// A decoded sound in one OpenAL buffer.
class gxtkSample : public gc_object {
 public:
  gxtkALuint buffer = 0;  // 0 once discarded

  ~gxtkSample() override;  // a collected sample's buffer is discarded (deleted later)
  // Hands the buffer to the device for deletion once no source holds it.
  virtual void Discard();
};

// The one audio device. Without an OpenAL device every operation is silent and nothing fails loudly.
class gxtkAudio : public gc_object {
 public:
  static constexpr int kChannels = 33;
  static constexpr int kMusicChannel = 32;

  void* device = nullptr;   // ALCdevice*, null when none could be opened
  void* context = nullptr;  // ALCcontext*, current when `live`
  gxtkChannel channels[kChannels];
  // Buffers of discarded or collected samples, waiting until no source holds them.
  std::vector<gxtkALuint> discarded;
  bool live = false;  // a context is current: OpenAL calls reach a device
  // The tune decoded last and its path: starting the same tune again plays it from memory.
  gxtkSample* music = nullptr;
  String musicPath;
  // The tune at musicPath while a worker thread decodes it; null otherwise.
  std::unique_ptr<gxtkMusicDecoder> musicDecoder;
  int musicStart = 0;  // while decoding: 1 start it playing when decoded, 2 start it paused, 0 not at all
  int musicFlags = 0;  // the flags it is to start with
  bool suspended = false;  // between Suspend and Resume

  ~gxtkAudio() override;

  static gxtkAudio* audio;

  // Opens the default device (or a generic fall-back), prints "opening openal device" and any failure.
  gxtkAudio();
  // Keeps alive every sample that is still sounding on a channel, and the decoded tune.
  void mark() override;

  // Pauses what is audibly playing; channels the game paused itself are left alone.
  virtual void Suspend();
  // Restarts exactly what Suspend paused.
  virtual void Resume();
  // The whole file decoded into a new sample, or null.
  virtual gxtkSample* LoadSample(String path);
  virtual bool LoadSample__UNSAFE__(gxtkSample* sample, String path);
  // Puts decoded PCM into the sample's new buffer and frees it; false when OpenAL cannot take it.
  bool FillSample(gxtkSample* sample, unsigned char* data, int length, int channels, int format, int hertz);
  // Starts `sample` on `channel`, cutting off what played there; 0, or -1 when no source could be had.
  virtual int PlaySample(gxtkSample* sample, int channel, int flags);
  virtual void StopChannel(int channel);
  virtual void PauseChannel(int channel);
  virtual void ResumeChannel(int channel);
  // 0 stopped, 1 playing, 2 paused; a one-shot sound that ended reads 0.
  virtual int ChannelState(int channel);
  virtual void SetVolume(int channel, float volume);
  // Direction only: the source sits at (sin pan, 0, -cos pan), always at distance 1.
  virtual void SetPan(int channel, float pan);
  // Playback speed and pitch; 1 is normal.
  virtual void SetRate(int channel, float rate);
  // Plays the whole tune on the music channel. The tune decoded last plays at once; another is decoded
  // on a worker thread and starts when it is ready (at the next update, or sooner when a music function
  // below is called; until then pausing, resuming and stopping apply to that start). -1 when the file
  // cannot be opened.
  virtual int PlayMusic(String path, int flags);
  virtual void StopMusic();
  virtual void PauseMusic();
  virtual void ResumeMusic();
  virtual int MusicState();
  virtual void SetMusicVolume(float volume);

  // Deletes the discarded buffers that no source holds any more (run at every PlaySample).
  void FlushDiscarded();
  // Takes a finished decode of the tune into `music` and starts it as asked since; nothing when no
  // decode has finished.
  void FinishMusicDecode();
};

// A sound as the game holds it; m_sample is null for an empty sound.
struct c_Sound : Object {
  gxtkSample* m_sample = nullptr;

  c_Sound* m_new(gxtkSample* sample);
  c_Sound* m_new();
  void mark() override;
};

// The device the rt_audio_ functions use; set by the delegate when the game starts.
extern gxtkAudio* rt_audio_device;

void rt_audio_SetAudioDevice(gxtkAudio* device);
// An asset name ("sfx/001.wav") or runtime path; null when the file is missing or unreadable.
c_Sound* rt_audio_LoadSound(String path);
// Nothing for a null or empty sound.
int rt_audio_PlaySound(c_Sound* sound, int channel, int flags);
int rt_audio_StopChannel(int channel);
int rt_audio_SetChannelVolume(int channel, float volume);
int rt_audio_SetChannelPan(int channel, float pan);
int rt_audio_SetChannelRate(int channel, float rate);
// 0, or -1 when the tune could not be loaded.
int rt_audio_PlayMusic(String path, int flags);
int rt_audio_StopMusic();
int rt_audio_PauseMusic();
int rt_audio_ResumeMusic();
