// String::Load: decodes a whole stream as UTF-16 (with a byte-order mark), UTF-8, or Latin-1 as a fallback.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "runtime/string.h"

namespace {

std::vector<unsigned char> read_all(FILE* stream) {
  std::vector<unsigned char> bytes;
  unsigned char block[4096];
  for (;;) {
    size_t n = fread(block, 1, sizeof block, stream);
    bytes.insert(bytes.end(), block, block + n);
    if (n < sizeof block) break;
  }
  return bytes;
}

String utf16(const unsigned char* p, size_t n, bool big_endian) {
  int count = int(n / 2);
  String::Rep* r = String::AllocRep(count);
  for (int i = 0; i < count; ++i) {
    unsigned a = p[2 * i], b = p[2 * i + 1];
    r->data[i] = Char(big_endian ? (a << 8 | b) : (b << 8 | a));
  }
  return String(r);
}

// Decodes one- to three-byte UTF-8 sequences; false on anything else.
bool utf8(const unsigned char* p, size_t n, String::Rep* r, int* out_len) {
  int len = 0;
  size_t i = 0;
  while (i < n) {
    unsigned c = p[i];
    if (c < 0x80) {
      r->data[len++] = Char(c);
      i += 1;
    } else if ((c & 0xE0) == 0xC0) {
      if (i + 1 >= n || (p[i + 1] & 0xC0) != 0x80) return false;
      r->data[len++] = Char((c & 0x1F) << 6 | (p[i + 1] & 0x3F));
      i += 2;
    } else if ((c & 0xF0) == 0xE0) {
      if (i + 2 >= n || (p[i + 1] & 0xC0) != 0x80 || (p[i + 2] & 0xC0) != 0x80) return false;
      r->data[len++] = Char((c & 0x0F) << 12 | (p[i + 1] & 0x3F) << 6 | (p[i + 2] & 0x3F));
      i += 3;
    } else {
      return false;
    }
  }
  *out_len = len;
  return true;
}

}  // namespace

String String::Load(FILE* stream) {
  std::vector<unsigned char> bytes = read_all(stream);
  if (bytes.empty()) return String();
  loadError = nullptr;
  const unsigned char* p = bytes.data();
  size_t n = bytes.size();
  if (n >= 2 && p[0] == 0xFE && p[1] == 0xFF) return utf16(p + 2, n - 2, true);
  if (n >= 2 && p[0] == 0xFF && p[1] == 0xFE) return utf16(p + 2, n - 2, false);
  if (n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) {
    p += 3;
    n -= 3;
  }
  if (n == 0) return String();
  // UTF-8 never yields more units than bytes, so one representation of n units suffices.
  Rep* r = AllocRep(int(n));
  int len = 0;
  if (!utf8(p, n, r, &len)) {
    loadError = "Invalid UTF-8";
    for (size_t i = 0; i < n; ++i) r->data[i] = Char(p[i]);
    return String(r);
  }
  if (len == int(n)) return String(r);
  String s(r->data, len);
  { String oversized(r); }  // releases the oversized representation
  return s;
}
