#include "audio/music_decoder.h"

#include <cstdlib>

#include "runtime/thread_stack.h"

gxtkMusicDecoder::gxtkMusicDecoder(RtAudioFile file) {
  worker = std::thread([this, file] {
    rt_GuardThreadStack();
    data = RtGame::DecodeAudioFile(file, &length, &channels, &format, &hertz);
    done.store(true, std::memory_order_release);
  });
}

gxtkMusicDecoder::~gxtkMusicDecoder() {
  Wait();
  free(data);
}

void gxtkMusicDecoder::Wait() {
  if (worker.joinable()) worker.join();
}

unsigned char* gxtkMusicDecoder::Take(int* length_, int* channels_, int* format_, int* hertz_) {
  Wait();
  *length_ = length;
  *channels_ = channels;
  *format_ = format;
  *hertz_ = hertz;
  unsigned char* d = data;
  data = nullptr;
  return d;
}
