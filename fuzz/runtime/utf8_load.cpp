// Fuzzes the text loader (UTF-16 with byte-order marks, UTF-8, Latin-1 fallback) on arbitrary bytes.
#include <cstdint>
#include <cstdio>

#include "runtime/runtime.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FILE* f = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!f) return 0;
  String s = String::Load(f);
  fclose(f);
  // A loaded string never holds more units than the stream had bytes.
  if (size_t(s.Length()) > size) __builtin_trap();
  return 0;
}
