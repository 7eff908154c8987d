// The audio device on OpenAL: opening the device and context, suspend and resume of what sounds, and
// the marking that keeps sounding samples alive.
#include <AL/al.h>
#include <AL/alc.h>

#include "audio/audio.h"
#include "audio/music_decoder.h"  // the member decoder, destroyed if construction fails

gxtkAudio* gxtkAudio::audio = nullptr;

gxtkAudio::gxtkAudio() {
  audio = this;
  ALCdevice* dev = alcOpenDevice(nullptr);
  if (!dev) dev = alcOpenDevice("Generic Hardware");
  if (!dev) dev = alcOpenDevice("Generic Software");
  rtPrint(String("opening openal device"));
  device = dev;
  if (!dev) {
    rtPrint(String("OpenAl error: alcOpenDevice failed"));
  } else {
    ALCcontext* ctx = alcCreateContext(dev, nullptr);
    context = ctx;
    if (!ctx) {
      rtPrint(String("OpenAl error: alcCreateContext failed"));
    } else if (!alcMakeContextCurrent(ctx)) {
      rtPrint(String("OpenAl error: alcMakeContextCurrent failed"));
    } else {
      live = true;
    }
  }
  // The program carries on without sound when any of the above failed.
  if (live) alDistanceModel(AL_NONE);  // position gives direction only, never loudness
  channels[kMusicChannel].AL_Source();
}

void gxtkAudio::mark() {
  gc_mark(music);
  if (!live) return;
  for (gxtkChannel& chan : channels) {
    if (chan.state == 0 || !chan.sample) continue;
    ALint st = AL_STOPPED;
    alGetSourcei(chan.source, AL_SOURCE_STATE, &st);
    if (st != AL_STOPPED) gc_mark(chan.sample);
  }
}

void gxtkAudio::Suspend() {
  suspended = true;
  FinishMusicDecode();
  if (!live) return;
  for (gxtkChannel& chan : channels) {
    if (chan.state != 1) continue;
    ALint st = AL_STOPPED;
    alGetSourcei(chan.source, AL_SOURCE_STATE, &st);
    if (st == AL_PLAYING) alSourcePause(chan.source);  // `state` stays 1: Resume restarts it
  }
}

void gxtkAudio::Resume() {
  suspended = false;
  FinishMusicDecode();
  if (!live) return;
  for (gxtkChannel& chan : channels) {
    if (chan.state != 1) continue;
    ALint st = AL_STOPPED;
    alGetSourcei(chan.source, AL_SOURCE_STATE, &st);
    if (st == AL_PAUSED) alSourcePlay(chan.source);
  }
}
