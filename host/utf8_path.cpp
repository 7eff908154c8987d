// UTF-8 conversion of file names and program arguments (the host's replacement for wide-character calls).
#include "host/utf8_path.h"

std::string StringToUtf8Path(const String& s) {
  std::string out;
  out.reserve(size_t(s.Length()));
  for (int i = 0; i < s.Length(); ++i) {
    unsigned u = s[i];
    if (u == 0) break;
    if (u >= 0xD800 && u < 0xDC00 && i + 1 < s.Length() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
      u = 0x10000 + ((u - 0xD800) << 10) + (unsigned(s[++i]) - 0xDC00);
      out += char(0xF0 | (u >> 18));
      out += char(0x80 | ((u >> 12) & 0x3F));
      out += char(0x80 | ((u >> 6) & 0x3F));
      out += char(0x80 | (u & 0x3F));
    } else if (u < 0x80) {
      out += char(u);
    } else if (u < 0x800) {
      out += char(0xC0 | (u >> 6));
      out += char(0x80 | (u & 0x3F));
    } else {
      out += char(0xE0 | (u >> 12));
      out += char(0x80 | ((u >> 6) & 0x3F));
      out += char(0x80 | (u & 0x3F));
    }
  }
  return out;
}

namespace {

// Length of the valid UTF-8 sequence at p (code point in *cp), or 0 when it is not valid.
int DecodeOne(const unsigned char* p, int left, unsigned* cp) {
  unsigned c = p[0];
  int n;
  unsigned min;
  if (c < 0x80) { *cp = c; return 1; }
  if ((c & 0xE0) == 0xC0) { n = 2; c &= 0x1F; min = 0x80; }
  else if ((c & 0xF0) == 0xE0) { n = 3; c &= 0x0F; min = 0x800; }
  else if ((c & 0xF8) == 0xF0) { n = 4; c &= 0x07; min = 0x10000; }
  else return 0;
  if (left < n) return 0;
  for (int i = 1; i < n; ++i) {
    if ((p[i] & 0xC0) != 0x80) return 0;
    c = (c << 6) | (p[i] & 0x3F);
  }
  if (c < min || c > 0x10FFFF) return 0;
  *cp = c;
  return n;
}

}  // namespace

String Utf8PathToString(const char* bytes, int length) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes);
  // Every byte gives at most one unit, except four-byte sequences, which give two units for four bytes.
  Char* units = new Char[size_t(length > 0 ? length : 1)];
  int n = 0;
  for (int i = 0; i < length;) {
    unsigned cp;
    int k = DecodeOne(p + i, length - i, &cp);
    if (k == 0) { units[n++] = p[i++]; continue; }
    i += k;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      units[n++] = Char(0xD800 + (cp >> 10));
      units[n++] = Char(0xDC00 + (cp & 0x3FF));
    } else {
      units[n++] = Char(cp);
    }
  }
  String s(units, n);
  delete[] units;
  return s;
}
