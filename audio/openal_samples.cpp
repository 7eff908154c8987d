// Samples on OpenAL: loading a decoded file into a buffer, and the deferred deletion of buffers whose
// sample was discarded or collected (OpenAL refuses to delete a buffer that a source still holds).
#include <cstdlib>  // Required for: free()

#include <AL/al.h>

#include "audio/audio.h"
#include "host/host.h"  // Required for: RtGame::LoadAudioData

gxtkSample::~gxtkSample() { Discard(); }

void gxtkSample::Discard() {
  if (!buffer) return;
  if (gxtkAudio::audio) gxtkAudio::audio->discarded.push_back(buffer);
  buffer = 0;
}

gxtkSample* gxtkAudio::LoadSample(String path) {
  gxtkSample* sample = new gxtkSample;
  return LoadSample__UNSAFE__(sample, path) ? sample : nullptr;
}

bool gxtkAudio::LoadSample__UNSAFE__(gxtkSample* sample, String path) {
  if (!RtGame::_game) return false;
  int length = 0, channels = 0, format = 0, hertz = 0;
  unsigned char* data = RtGame::_game->LoadAudioData(path, &length, &channels, &format, &hertz);
  return data && FillSample(sample, data, length, channels, format, hertz);
}

bool gxtkAudio::FillSample(gxtkSample* sample, unsigned char* data, int length, int channels, int format,
                           int hertz) {
  ALenum alFormat = 0;
  if (format == 1 && channels == 1) alFormat = AL_FORMAT_MONO8;
  else if (format == 1 && channels == 2) alFormat = AL_FORMAT_STEREO8;
  else if (format == 2 && channels == 1) alFormat = AL_FORMAT_MONO16;
  else if (format == 2 && channels == 2) alFormat = AL_FORMAT_STEREO16;
  bool ok = false;
  if (live && data) {
    alGetError();
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    if (alGetError() == AL_NO_ERROR && buffer) {
      alBufferData(buffer, alFormat, data, format * channels * length, hertz);
      // Data OpenAL cannot take (more than two channels, 24-bit, ...) leaves the sound absent.
      if (alGetError() == AL_NO_ERROR) {
        sample->buffer = buffer;
        ok = true;
      } else {
        alDeleteBuffers(1, &buffer);
      }
    }
  }
  free(data);
  return ok;
}

void gxtkAudio::FlushDiscarded() {
  if (discarded.empty() || !live) return;
  // A finished source still holds its buffer until it is given another.
  for (gxtkChannel& chan : channels) {
    if (chan.state == 0) continue;
    ALint st = AL_PLAYING;
    alGetSourcei(chan.source, AL_SOURCE_STATE, &st);
    if (st == AL_STOPPED) alSourcei(chan.source, AL_BUFFER, 0);
  }
  size_t kept = 0;
  for (size_t i = 0; i < discarded.size(); ++i) {
    ALuint buffer = discarded[i];
    alGetError();
    alDeleteBuffers(1, &buffer);
    if (alGetError() != AL_NO_ERROR) discarded[kept++] = buffer;  // still held: try at the next flush
  }
  discarded.resize(kept);
}
