// String: an immutable string of UTF-16 code units behind a shared, reference-counted representation.
#pragma once
#include <cstdint>
#include <cstdio>

template <class T> class Array;

typedef unsigned short Char;

class String {
 public:
  struct Rep {
    int refs;
    int length;
    Char data[1];  // `length` units follow; no terminator
  };
  // The one empty representation; shared by every empty string, never freed.
  static Rep nullRep;

  String() : rep(&nullRep) {}
  String(const String& s) : rep(s.rep) { retain(rep); }
  String(String&& s) noexcept : rep(s.rep) { s.rep = &nullRep; }
  String(const Char* units, int length);
  String(const char* cstr);              // one unit per byte, the byte taken as signed and widened
  String(const char* bytes, int length);  // likewise, for a counted byte run
  explicit String(int n);                 // "%i"
  explicit String(float f);               // "%.17lg", ".0" added when neither "e" nor "." appears
  explicit String(Char ch, int count);    // `count` copies of one unit
  ~String() { release(rep); }

  String& operator=(const String& s) {
    retain(s.rep);
    release(rep);
    rep = s.rep;
    return *this;
  }
  String& operator=(String&& s) noexcept {
    if (this != &s) {
      release(rep);
      rep = s.rep;
      s.rep = &nullRep;
    }
    return *this;
  }

  int Length() const { return rep->length; }
  const Char* Data() const { return rep->data; }
  Char operator[](int i) const { return rep->data[i]; }
  const Rep* GetRep() const { return rep; }  // for the sharing tests

  bool operator==(const String& s) const;
  bool operator!=(const String& s) const { return !(*this == s); }
  bool operator<(const String& s) const { return Compare(s) < 0; }
  int Compare(const String& s) const;
  String operator+(const String& s) const;
  String& operator+=(const String& s) { return *this = *this + s; }

  String Slice(int from) const { return Slice(from, rep->length); }
  String Slice(int from, int to) const;
  int Find(const String& s, int start = 0) const;
  int FindLast(const String& s) const;
  int FindLast(const String& s, int start) const;
  bool Contains(const String& s) const { return Find(s) != -1; }
  bool StartsWith(const String& s) const;
  bool EndsWith(const String& s) const;
  String Replace(const String& find, const String& repl) const;
  Array<String> Split(const String& sep) const;
  String Join(const Array<String>& pieces) const;
  String ToLower() const;
  String ToUpper() const;
  String Trim() const;
  int ToInt() const;      // atoi of the low bytes
  float ToFloat() const;  // atof of the low bytes

  static String FromChar(int ch);

  // The low 8 bits of each unit and a terminating 0, for 8-bit interfaces (messages, shell).
  // Writes into `buf` of `size` bytes (truncating) and returns it.
  char* ToCString(char* buf, int size) const;
  // UTF-8, each unit on its own (below 0x80 one byte, below 0x800 two, else three); returns the byte
  // count written into `buf` (which must hold 3 * Length() bytes). Used for file names and output.
  int ToUtf8(char* buf) const;
  // UTF-8 into `buf` of `size` bytes with a terminating 0; truncates at a unit boundary.
  char* ToUtf8CString(char* buf, int size) const;

  // The whole stream as a string: UTF-16 with a byte-order mark, else UTF-8 (with or without a
  // byte-order mark), else byte for byte (Latin-1) when the UTF-8 is broken.
  static String Load(FILE* stream);
  // Text of the last Load's decoding problem, or nullptr ("Invalid UTF-8").
  static const char* loadError;

  // Allocates an uninitialised representation of `length` units (refs 1); nullRep for 0.
  static Rep* AllocRep(int length);
  explicit String(Rep* r) : rep(r) {}  // adopts a representation from AllocRep

 private:
  // nullRep is shared by every empty string and never counted, so its count cannot overflow.
  static void retain(Rep* r) { if (r != &nullRep) r->refs++; }
  static void release(Rep* r);
  Rep* rep;
};

String operator+(const char* a, const String& b);

// Writes one unit as UTF-8 at `out` (below 0x80 one byte, below 0x800 two, else three) and returns the
// byte count. It touches nothing else, so the fatal path may use it too.
int rtUtf8Unit(Char u, char* out);
