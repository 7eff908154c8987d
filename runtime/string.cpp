// String construction, comparison, slicing, searching, replacing, splitting and joining.
#include "runtime/string.h"

#include <cstdlib>   // Required for: malloc(), free(), atoi(), atof()
#include <cstring>
#include <cwctype>   // Required for: towlower(), towupper()

#include "runtime/array.h"

String::Rep String::nullRep = {1, 0, {0}};
const char* String::loadError = nullptr;

String::Rep* String::AllocRep(int length) {
  if (length <= 0) return &nullRep;
  Rep* r = static_cast<Rep*>(malloc(sizeof(Rep) + sizeof(Char) * size_t(length)));
  r->refs = 1;
  r->length = length;
  return r;
}

void String::release(Rep* r) {
  if (r != &nullRep && --r->refs == 0) free(r);
}

String::String(const Char* units, int length) : rep(AllocRep(length)) {
  if (length > 0) memcpy(rep->data, units, sizeof(Char) * size_t(length));
}

String::String(const char* bytes, int length) : rep(AllocRep(length)) {
  for (int i = 0; i < length; ++i) rep->data[i] = Char(short(static_cast<signed char>(bytes[i])));
}

String::String(const char* cstr) : String(cstr, int(strlen(cstr))) {}

static String int_text(int n) {
  char buf[32];
  snprintf(buf, sizeof buf, "%i", n);
  return String(buf);
}

static String float_text(float f) {
  char buf[64];
  snprintf(buf, sizeof buf, "%.17lg", double(f));
  if (!strchr(buf, 'e') && !strchr(buf, '.')) strcat(buf, ".0");
  return String(buf);
}

String::String(int n) : String(int_text(n)) {}

String::String(float f) : String(float_text(f)) {}

String::String(Char ch, int count) : rep(AllocRep(count)) {
  for (int i = 0; i < count; ++i) rep->data[i] = ch;
}

String String::FromChar(int ch) { return String(Char(ch), 1); }

bool String::operator==(const String& s) const {
  if (rep == s.rep) return true;
  return rep->length == s.rep->length && memcmp(rep->data, s.rep->data, sizeof(Char) * size_t(rep->length)) == 0;
}

int String::Compare(const String& s) const {
  int n = rep->length < s.rep->length ? rep->length : s.rep->length;
  for (int i = 0; i < n; ++i) {
    int d = int(rep->data[i]) - int(s.rep->data[i]);
    if (d) return d;
  }
  return rep->length - s.rep->length;
}

String String::operator+(const String& s) const {
  if (rep->length == 0) return s;
  if (s.rep->length == 0) return *this;
  Rep* r = AllocRep(rep->length + s.rep->length);
  memcpy(r->data, rep->data, sizeof(Char) * size_t(rep->length));
  memcpy(r->data + rep->length, s.rep->data, sizeof(Char) * size_t(s.rep->length));
  return String(r);
}

String operator+(const char* a, const String& b) { return String(a) + b; }

String String::Slice(int from, int to) const {
  int len = rep->length;
  if (from < 0) {
    from += len;
    if (from < 0) from = 0;
  } else if (from > len) {
    from = len;
  }
  if (to < 0) {
    to += len;
  } else if (to > len) {
    to = len;
  }
  if (from >= to) return String();
  if (from == 0 && to == len) return *this;
  return String(rep->data + from, to - from);
}

int String::Find(const String& s, int start) const {
  if (start < 0) start = 0;
  int last = rep->length - s.rep->length;
  for (int i = start; i <= last; ++i) {
    if (memcmp(rep->data + i, s.rep->data, sizeof(Char) * size_t(s.rep->length)) == 0) return i;
  }
  return -1;
}

int String::FindLast(const String& s) const { return FindLast(s, rep->length - s.rep->length); }

int String::FindLast(const String& s, int start) const {
  if (start > rep->length - s.rep->length) start = rep->length - s.rep->length;
  for (int i = start; i >= 0; --i) {
    if (memcmp(rep->data + i, s.rep->data, sizeof(Char) * size_t(s.rep->length)) == 0) return i;
  }
  return -1;
}

bool String::StartsWith(const String& s) const {
  return s.rep->length <= rep->length &&
         memcmp(rep->data, s.rep->data, sizeof(Char) * size_t(s.rep->length)) == 0;
}

bool String::EndsWith(const String& s) const {
  return s.rep->length <= rep->length &&
         memcmp(rep->data + rep->length - s.rep->length, s.rep->data, sizeof(Char) * size_t(s.rep->length)) == 0;
}

String String::Replace(const String& find, const String& repl) const {
  int flen = find.rep->length;
  if (flen == 0) return *this;  // an empty search string would never advance
  // Count first so the result is allocated once at its exact length.
  int count = 0;
  for (int i = Find(find); i != -1; i = Find(find, i + flen)) ++count;
  if (count == 0) return *this;
  int rlen = repl.rep->length;
  Rep* r = AllocRep(rep->length + count * (rlen - flen));
  Char* out = r->data;
  int pos = 0;
  for (int i = Find(find); i != -1; i = Find(find, i + flen)) {
    memcpy(out, rep->data + pos, sizeof(Char) * size_t(i - pos));
    out += i - pos;
    memcpy(out, repl.rep->data, sizeof(Char) * size_t(rlen));
    out += rlen;
    pos = i + flen;
  }
  memcpy(out, rep->data + pos, sizeof(Char) * size_t(rep->length - pos));
  return String(r);
}

Array<String> String::Split(const String& sep) const {
  int slen = sep.rep->length;
  if (slen == 0) {
    Array<String> bits(rep->length);
    for (int i = 0; i < rep->length; ++i) bits[i] = String(rep->data + i, 1);
    return bits;
  }
  int count = 1;
  for (int i = Find(sep); i != -1; i = Find(sep, i + slen)) ++count;
  Array<String> bits(count);
  int pos = 0, n = 0;
  for (int i = Find(sep); i != -1; i = Find(sep, i + slen)) {
    bits[n++] = Slice(pos, i);
    pos = i + slen;
  }
  bits[n] = Slice(pos);
  return bits;
}

String String::Join(const Array<String>& pieces) const {
  int n = pieces.Length();
  if (n == 0) return String();
  if (n == 1) return pieces[0];
  int total = rep->length * (n - 1);
  for (int i = 0; i < n; ++i) total += pieces[i].Length();
  Rep* r = AllocRep(total);
  if (total == 0) return String();
  Char* out = r->data;
  for (int i = 0; i < n; ++i) {
    if (i) {
      memcpy(out, rep->data, sizeof(Char) * size_t(rep->length));
      out += rep->length;
    }
    memcpy(out, pieces[i].Data(), sizeof(Char) * size_t(pieces[i].Length()));
    out += pieces[i].Length();
  }
  return String(r);
}

String String::ToLower() const {
  for (int i = 0; i < rep->length; ++i) {
    if (Char(towlower(rep->data[i])) != rep->data[i]) {
      Rep* r = AllocRep(rep->length);
      for (int j = 0; j < rep->length; ++j) r->data[j] = Char(towlower(rep->data[j]));
      return String(r);
    }
  }
  return *this;
}

String String::ToUpper() const {
  for (int i = 0; i < rep->length; ++i) {
    if (Char(towupper(rep->data[i])) != rep->data[i]) {
      Rep* r = AllocRep(rep->length);
      for (int j = 0; j < rep->length; ++j) r->data[j] = Char(towupper(rep->data[j]));
      return String(r);
    }
  }
  return *this;
}

String String::Trim() const {
  int i = 0, j = rep->length;
  while (i < j && rep->data[i] <= 32) ++i;
  while (j > i && rep->data[j - 1] <= 32) --j;
  return Slice(i, j);
}

char* String::ToCString(char* buf, int size) const {
  int n = rep->length < size - 1 ? rep->length : size - 1;
  for (int i = 0; i < n; ++i) buf[i] = char(rep->data[i]);
  buf[n] = 0;
  return buf;
}

int rtUtf8Unit(Char u, char* out) {
  if (u < 0x80) {
    out[0] = char(u);
    return 1;
  }
  if (u < 0x800) {
    out[0] = char(0xC0 | (u >> 6));
    out[1] = char(0x80 | (u & 0x3F));
    return 2;
  }
  out[0] = char(0xE0 | (u >> 12));
  out[1] = char(0x80 | ((u >> 6) & 0x3F));
  out[2] = char(0x80 | (u & 0x3F));
  return 3;
}

int String::ToUtf8(char* buf) const {
  int n = 0;
  for (int i = 0; i < rep->length; ++i) n += rtUtf8Unit(rep->data[i], buf + n);
  return n;
}

char* String::ToUtf8CString(char* buf, int size) const {
  int n = 0;
  char tmp[3];
  for (int i = 0; i < rep->length; ++i) {
    int k = rtUtf8Unit(rep->data[i], tmp);
    if (n + k > size - 1) break;
    memcpy(buf + n, tmp, size_t(k));
    n += k;
  }
  buf[n] = 0;
  return buf;
}

int String::ToInt() const {
  char buf[64];
  return atoi(ToCString(buf, sizeof buf));
}

float String::ToFloat() const {
  char buf[64];
  return float(atof(ToCString(buf, sizeof buf)));
}
