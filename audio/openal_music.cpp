// Music on the last channel: one tune as a whole sample, kept decoded for the next start of the same
// tune; a tune not decoded yet is decoded on a worker thread and started once it is ready, with the
// pauses, resumes, stops and suspends asked for meanwhile applied to that start.
#include <AL/al.h>

#include "audio/audio.h"
#include "audio/music_decoder.h"

gxtkAudio::~gxtkAudio() = default;

int gxtkAudio::PlayMusic(String path, int flags) {
  FinishMusicDecode();
  StopChannel(kMusicChannel);
  musicStart = 0;
  if (path == musicPath && musicDecoder) {
    musicStart = 1;
    musicFlags = flags;
    return 0;
  }
  // Each new game starts the same tune: it plays from memory.
  if (path == musicPath && music && music->buffer) {
    PlaySample(music, kMusicChannel, flags);
    return 0;
  }
  gc_assign(music, static_cast<gxtkSample*>(nullptr));
  musicDecoder.reset();
  musicPath = String();
  if (!live || !RtGame::_game) return -1;
  RtAudioFile file = RtGame::_game->OpenAudioFile(path);
  if (!file.file) return -1;
  musicPath = path;
  musicDecoder.reset(new gxtkMusicDecoder(file));
  musicStart = 1;
  musicFlags = flags;
  return 0;
}

void gxtkAudio::FinishMusicDecode() {
  if (!musicDecoder || !musicDecoder->Done()) return;
  int length = 0, channelCount = 0, format = 0, hertz = 0;
  unsigned char* data = musicDecoder->Take(&length, &channelCount, &format, &hertz);
  musicDecoder.reset();
  gxtkSample* sample = new gxtkSample;
  if (FillSample(sample, data, length, channelCount, format, hertz)) {
    gc_assign(music, sample);
  } else {
    musicPath = String();  // a file that does not decode is tried again at its next start
  }
  int start = musicStart;
  musicStart = 0;
  if (!music || start == 0) return;
  PlaySample(music, kMusicChannel, musicFlags);
  if (start == 2) {
    PauseChannel(kMusicChannel);
  } else if (suspended) {
    alSourcePause(channels[kMusicChannel].source);  // its state stays 1: Resume restarts it
  }
}

void gxtkAudio::StopMusic() {
  FinishMusicDecode();
  musicStart = 0;
  StopChannel(kMusicChannel);
}

void gxtkAudio::PauseMusic() {
  FinishMusicDecode();
  if (musicStart == 1) musicStart = 2;
  else PauseChannel(kMusicChannel);
}

void gxtkAudio::ResumeMusic() {
  FinishMusicDecode();
  if (musicStart == 2) musicStart = 1;
  else ResumeChannel(kMusicChannel);
}

int gxtkAudio::MusicState() {
  FinishMusicDecode();
  return musicStart != 0 ? musicStart : ChannelState(kMusicChannel);
}

void gxtkAudio::SetMusicVolume(float volume) { SetVolume(kMusicChannel, volume); }
