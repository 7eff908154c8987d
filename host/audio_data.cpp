// The host's sound file loading: picks the reader by the file's extension and reports the decoded size
// to the collector as external memory.
#include "host/host.h"

#include "host/audio_readers.h"

unsigned char* RtGlfwGame::LoadAudioData(String path, int* length, int* channels, int* format, int* hertz) {
  FILE* f = OpenFile(path, String("rb"));
  if (!f) return nullptr;
  String lower = path.ToLower();
  unsigned char* data = nullptr;
  if (lower.EndsWith(String(".wav"))) {
    data = LoadWAV(f, length, channels, format, hertz);
  } else if (lower.EndsWith(String(".ogg"))) {
    data = LoadOGG(f, length, channels, format, hertz);
  }
  fclose(f);
  if (data) gc_ext_malloced(*length * *channels * *format);
  return data;
}
