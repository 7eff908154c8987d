// The sound file readers behind the host's LoadAudioData: a RIFF WAVE (PCM) reader and an Ogg Vorbis
// decoder, both over an open stream that they leave open.
#pragma once
#include <cstdio>

// Each returns interleaved PCM in a malloc'd block owned by the caller (release with free), and through
// the out-parameters: `length` in sample frames, `channels`, `format` in bytes per sample and `hertz`.
// A stream that is not a well-formed file of the kind, or that ends early, gives null (the out-parameters
// then hold nothing of use). Nothing is read past the end of what the stream holds.

// 8- or 16-bit PCM WAVE; other chunks before the data are skipped.
unsigned char* LoadWAV(FILE* file, int* length, int* channels, int* format, int* hertz);
// Ogg Vorbis decoded whole to 16-bit samples.
unsigned char* LoadOGG(FILE* file, int* length, int* channels, int* format, int* hertz);
