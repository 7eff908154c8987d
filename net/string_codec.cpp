// The string encodings of byte buffers: "ascii" (low 8 bits) and "utf8" (per unit, with a byte-wise fallback).
#include "net/data_buffer.h"

namespace {

enum Encoding { kAscii, kUtf8 };

// Only the exact names are known; anything else is a fatal error naming it.
Encoding encoding_of(const String& name) {
  if (name == String("utf8")) return kUtf8;
  if (name == String("ascii")) return kAscii;
  rtError(String("Invalid string encoding:") + name);
}

String decode_bytes(const unsigned char* bytes, int count) {
  String::Rep* rep = String::AllocRep(count);
  for (int i = 0; i < count; ++i) rep->data[i] = bytes[i];
  return String(rep);
}

bool is_continuation(unsigned char b) { return (b & 0xC0) == 0x80; }

}  // namespace

int rt_databuffer_EncodeUtf8(const String& text, unsigned char* out, int room) {
  int n = 0;
  auto put = [&](unsigned v) {
    if (n < room) out[n] = static_cast<unsigned char>(v);
    ++n;
  };
  for (int i = 0; i < text.Length(); ++i) {
    unsigned c = text[i];
    if (c < 0x80) {
      put(c);
    } else if (c < 0x800) {
      put(0xC0 | (c >> 6));
      put(0x80 | (c & 0x3F));
    } else {
      put(0xE0 | (c >> 12));
      put(0x80 | ((c >> 6) & 0x3F));
      put(0x80 | (c & 0x3F));
    }
  }
  return n;
}

String rt_databuffer_DecodeUtf8(const unsigned char* bytes, int count) {
  // A first pass counts the units, so the string is allocated once at its final length.
  int units = 0;
  for (int i = 0; i < count; ++units) {
    unsigned char b = bytes[i];
    if (b < 0x80) {
      i += 1;
    } else if ((b & 0xE0) == 0xC0 && i + 1 < count && is_continuation(bytes[i + 1])) {
      i += 2;
    } else if ((b & 0xF0) == 0xE0 && i + 2 < count && is_continuation(bytes[i + 1]) &&
               is_continuation(bytes[i + 2])) {
      i += 3;
    } else {
      return decode_bytes(bytes, count);
    }
  }
  String::Rep* rep = String::AllocRep(units);
  for (int i = 0, u = 0; i < count; ++u) {
    unsigned b = bytes[i];
    if (b < 0x80) {
      rep->data[u] = Char(b);
      i += 1;
    } else if ((b & 0xE0) == 0xC0) {
      rep->data[u] = Char(((b & 0x1F) << 6) | (bytes[i + 1] & 0x3F));
      i += 2;
    } else {
      rep->data[u] = Char(((b & 0x0F) << 12) | ((bytes[i + 1] & 0x3F) << 6) | (bytes[i + 2] & 0x3F));
      i += 3;
    }
  }
  return String(rep);
}

int rt_databuffer_Utf8CutTail(const unsigned char* bytes, int count) {
  // Looks back over at most two bytes for a lead byte whose sequence does not fit in what is there.
  for (int back = 1; back <= 2 && back <= count; ++back) {
    unsigned char b = bytes[count - back];
    if (is_continuation(b)) continue;
    int need = (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : 0;
    return need > back ? back : 0;
  }
  return 0;
}

int c_DataBuffer::p_PokeString(int address, const String& text, const String& encoding) {
  Encoding enc = encoding_of(encoding);
  int room = address < 0 || address > length ? 0 : length - address;
  unsigned char* out = room > 0 ? data + address : nullptr;
  if (enc == kUtf8) return rt_databuffer_EncodeUtf8(text, out, room);
  int n = text.Length() < room ? text.Length() : room;
  for (int i = 0; i < n; ++i) out[i] = static_cast<unsigned char>(text[i]);
  return text.Length();
}

String c_DataBuffer::p_PeekString(int address, int count, const String& encoding) {
  Encoding enc = encoding_of(encoding);
  int n = 0;
  if (address >= 0 && count >= 1 && address <= length) n = count < length - address ? count : length - address;
  if (n < 1) return String();
  if (enc == kUtf8) return rt_databuffer_DecodeUtf8(data + address, n);
  return decode_bytes(data + address, n);
}

String c_DataBuffer::p_PeekString2(int address, const String& encoding) {
  return p_PeekString(address, length - address, encoding);
}
