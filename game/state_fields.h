// The fields of the state string: "|"-terminated decimal integers, read in place from the string and
// written into a fixed buffer.
#pragma once
#include <cstdio>
#include <cstdlib>

#include "runtime/runtime.h"

// The state string cut at every "|", as String::Split would cut it, but kept as positions in the one
// string instead of a new string per piece.
class StateFields {
 public:
  explicit StateFields(const String& s) : s_(s) {
    for (int i = 0; i < s.Length(); ++i) count_ += s[i] == '|';
  }
  int Count() const { return count_; }
  // A field's value: at most its first 63 characters, low 8 bits each, read as the C library's atoi
  // does on 64-bit Linux (a 64-bit strtol cut to an int, so an out-of-range number cannot overflow).
  // strtoll, because long has 32 bits on Windows: the same file must load the same everywhere.
  int Value(int index) {
    Seek(index);
    char buf[64];
    int n = 0;
    for (int i = at_; i < s_.Length() && s_[i] != '|' && n < 63; ++i) buf[n++] = char(s_[i] & 0xff);
    buf[n] = 0;
    return int(std::strtoll(buf, nullptr, 10));
  }

 private:
  // Moves to the start of piece `index` (pieces are read in increasing order, so this is a forward walk).
  void Seek(int index) {
    if (index < piece_) {
      piece_ = 0;
      at_ = 0;
    }
    while (piece_ < index) {
      while (at_ < s_.Length() && s_[at_] != '|') ++at_;
      ++at_;
      ++piece_;
    }
  }
  const String& s_;
  int count_ = 1;  // pieces: one more than the separators
  int piece_ = 0, at_ = 0;
};

// Writes "value|" fields one after another into a fixed buffer; the text is buf[0, at). The first field
// that does not fit (with the terminating zero) ends the text, so it never holds a cut-off number.
struct StateFieldWriter {
  char* buf;
  int size;
  int at = 0;
  bool full = false;

  void Put(int value) {
    if (full) return;
    int n = std::snprintf(buf + at, size_t(size - at), "%d|", value);
    if (n > 0 && n < size - at) {
      at += n;
    } else {
      full = true;
      buf[at] = 0;
    }
  }
};
