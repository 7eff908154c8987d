// A tune decoded on a worker thread: decoding a whole tune takes several frame budgets, which the main
// thread must not spend when a game starts.
#pragma once
#include <atomic>
#include <thread>

#include "host/host.h"

class gxtkMusicDecoder {
 public:
  // Starts decoding `file` (opened on the main thread); the decoder closes it.
  explicit gxtkMusicDecoder(RtAudioFile file);
  // Waits for the worker; frees PCM nobody took.
  ~gxtkMusicDecoder();
  gxtkMusicDecoder(const gxtkMusicDecoder&) = delete;
  gxtkMusicDecoder& operator=(const gxtkMusicDecoder&) = delete;

  bool Done() const { return done.load(std::memory_order_acquire); }
  // Waits until the decoding is done.
  void Wait();
  // Once done: the decoded PCM, malloc'd and owned by the caller from now on, or null when the file
  // could not be decoded; its description through the pointers.
  unsigned char* Take(int* length, int* channels, int* format, int* hertz);

 private:
  std::thread worker;
  std::atomic<bool> done{false};
  unsigned char* data = nullptr;
  int length = 0, channels = 0, format = 0, hertz = 0;
};
