// Fuzz target for the session journal reader: any bytes are either refused with a message or accepted,
// and an accepted journal's cursor serves records up to its end without reading past it.
#include <cstddef>
#include <cstdint>

#include "host/journal/journal_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static JournalReader reader;
  if (!reader.Open(data, size)) {
    if (reader.Error().empty()) __builtin_trap();
    return 0;
  }
  if (reader.Frames() < 0) __builtin_trap();
  // Reading the accepted records byte by byte must stay within the journal.
  size_t steps = 0;
  while (!reader.AtEnd()) {
    reader.Byte();
    if (++steps > size) __builtin_trap();
  }
  return 0;
}
