// The device's channels on OpenAL: lazily created sources, playing, stopping, pausing, the channel state,
// volume, pan and rate.
#include <cmath>

#include <AL/al.h>

#include "audio/audio.h"

namespace {

// The channel record for an index, or null for an index outside the bank (the call then does nothing).
gxtkChannel* Channel(gxtkAudio* a, int ch) {
  return ch >= 0 && ch < gxtkAudio::kChannels ? &a->channels[ch] : nullptr;
}

ALint SourceState(gxtkALuint source) {
  ALint st = AL_STOPPED;
  alGetSourcei(source, AL_SOURCE_STATE, &st);
  return st;
}

}  // namespace

gxtkALuint gxtkChannel::AL_Source() {
  if (source) return source;
  gxtkAudio* a = gxtkAudio::audio;
  if (!a || !a->live) return 0;
  alGetError();
  ALuint src = 0;
  alGenSources(1, &src);
  if (alGetError() == AL_NO_ERROR && src) {
    source = src;
    return source;
  }
  // Out of sources: take the one of the first effect channel that has gone quiet.
  for (int i = 0; i < gxtkAudio::kMusicChannel; ++i) {
    gxtkChannel& other = a->channels[i];
    if (&other == this || !other.source || a->ChannelState(i) != 0) continue;
    source = other.source;
    other.source = 0;
    return source;
  }
  return 0;
}

int gxtkAudio::PlaySample(gxtkSample* sample, int channel, int flags) {
  gxtkChannel* chan = Channel(this, channel);
  if (!chan || !sample) return -1;
  FlushDiscarded();
  gxtkALuint src = chan->AL_Source();
  if (!src) return -1;
  alSourceStop(src);
  alSourcei(src, AL_BUFFER, ALint(sample->buffer));
  alSourcei(src, AL_LOOPING, flags ? AL_TRUE : AL_FALSE);
  alSourcePlay(src);
  gc_assign(chan->sample, sample);
  chan->flags = flags;
  chan->state = 1;
  return 0;
}

void gxtkAudio::StopChannel(int channel) {
  gxtkChannel* chan = Channel(this, channel);
  if (!chan || chan->state == 0) return;
  alSourceStop(chan->source);
  chan->state = 0;
}

void gxtkAudio::PauseChannel(int channel) {
  gxtkChannel* chan = Channel(this, channel);
  if (!chan || chan->state != 1) return;
  if (SourceState(chan->source) == AL_STOPPED) {
    chan->state = 0;  // it had already ended
    return;
  }
  alSourcePause(chan->source);
  chan->state = 2;
}

void gxtkAudio::ResumeChannel(int channel) {
  gxtkChannel* chan = Channel(this, channel);
  if (!chan || chan->state != 2) return;
  alSourcePlay(chan->source);
  chan->state = 1;
}

int gxtkAudio::ChannelState(int channel) {
  gxtkChannel* chan = Channel(this, channel);
  if (!chan) return 0;
  // A one-shot sound that ran out is only noticed here, when somebody asks.
  if (chan->state == 1 && SourceState(chan->source) == AL_STOPPED) chan->state = 0;
  return chan->state;
}

void gxtkAudio::SetVolume(int channel, float volume) {
  gxtkChannel* chan = Channel(this, channel);
  if (!chan) return;
  if (gxtkALuint src = chan->AL_Source()) alSourcef(src, AL_GAIN, volume);
}

void gxtkAudio::SetPan(int channel, float pan) {
  gxtkChannel* chan = Channel(this, channel);
  if (!chan) return;
  if (gxtkALuint src = chan->AL_Source()) alSource3f(src, AL_POSITION, std::sin(pan), 0.0f, -std::cos(pan));
}

void gxtkAudio::SetRate(int channel, float rate) {
  gxtkChannel* chan = Channel(this, channel);
  if (!chan) return;
  if (gxtkALuint src = chan->AL_Source()) alSourcef(src, AL_PITCH, rate);
}
