// The host's sound file loading: picks the reader by the file's extension and reports the decoded size
// to the collector as external memory; opening and decoding are apart so the decoding can run anywhere.
#include "host/host.h"

#include "host/media/audio_readers.h"

RtAudioFile RtGame::OpenAudioFile(String path) {
  RtAudioFile f;
  String lower = path.ToLower();
  if (lower.EndsWith(String(".wav"))) f.kind = RtAudioFile::Wav;
  else if (lower.EndsWith(String(".ogg"))) f.kind = RtAudioFile::Ogg;
  f.file = OpenFile(path, String("rb"));
  if (f.file && f.kind == RtAudioFile::None) {
    fclose(f.file);
    f.file = nullptr;
  }
  return f;
}

unsigned char* RtGame::DecodeAudioFile(RtAudioFile f, int* length, int* channels, int* format, int* hertz) {
  if (!f.file) return nullptr;
  unsigned char* data = nullptr;
  if (f.kind == RtAudioFile::Wav) data = LoadWAV(f.file, length, channels, format, hertz);
  else if (f.kind == RtAudioFile::Ogg) data = LoadOGG(f.file, length, channels, format, hertz);
  fclose(f.file);
  if (data) gc_ext_malloced(*length * *channels * *format);
  return data;
}

unsigned char* RtGlfwGame::LoadAudioData(String path, int* length, int* channels, int* format, int* hertz) {
  return DecodeAudioFile(OpenAudioFile(path), length, channels, format, hertz);
}
