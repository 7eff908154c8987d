// Byte buffers: a fixed-size heap block with bounds-clipped peeks, pokes and copies, and string encodings.
#pragma once
#include "net/thread.h"
#include "runtime/runtime.h"

class RtDataBuffer : public gc_object {
 public:
  unsigned char* data = nullptr;  // heap block owned by the buffer, or null when empty
  int length = 0;

  ~RtDataBuffer() override { Discard(); }

  // Takes `block` (malloc'd, now owned) or allocates `size` zeroed bytes; false when data is already held.
  bool _New(int size, void* block = nullptr);
  // Fills an empty buffer with a whole file through the host; true when data was obtained.
  bool _Load(const String& path);
  // As _Load, for a worker thread: the path is copied first so no string is shared with the main thread.
  bool _LoadAsync(const String& path, RtThread* thread);
  void Discard();
};

class c_DataBuffer : public RtDataBuffer {
 public:
  // Allocates `size` bytes; a buffer that already holds data, or a failed allocation, is a runtime error.
  c_DataBuffer* m_new(int size);
  // A buffer with the whole file, or null when it cannot be read.
  static c_DataBuffer* m_Load(const String& path);

  int p_Length() const { return length; }

  // Every transfer is clipped to both sides: `count` shrinks so that neither the buffer range nor the
  // array range (from `offset`) is exceeded; negative positions or a clipped count below 1 move nothing.
  void p_PokeBytes(int address, const Array<int>& bytes, int offset, int count);
  // Bytes are read as signed values, -128..127.
  void p_PeekBytes(int address, const Array<int>& bytes, int offset, int count);
  Array<int> p_PeekBytes2(int address, int count);
  // Overlapping ranges in one buffer copy correctly in both directions.
  void p_CopyBytes(int address, c_DataBuffer* destination, int destinationAddress, int count);

  // Encodings "utf8" and "ascii" (exact names; any other is a runtime error "Invalid string encoding:").
  // Returns the byte count the encoding produced, also when the write was clipped.
  int p_PokeString(int address, const String& text, const String& encoding);
  String p_PeekString(int address, int count, const String& encoding);
  String p_PeekString2(int address, const String& encoding);
};

// Byte-level codecs shared with the HTTP client and the fuzz targets.
// UTF-8 of one unit at a time (surrogates are not combined). Writes only the first `room` bytes into `out`
// and returns the full byte count.
int rt_databuffer_EncodeUtf8(const String& text, unsigned char* out, int room);
// Decodes UTF-8 (1- to 3-byte sequences); on the first byte that fits none, the whole run one unit per byte.
String rt_databuffer_DecodeUtf8(const unsigned char* bytes, int count);
// Bytes at the end of `bytes` that begin a UTF-8 sequence still missing its continuation bytes (0..2).
int rt_databuffer_Utf8CutTail(const unsigned char* bytes, int count);
