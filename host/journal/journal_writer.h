// Appends journal records to a file through one fixed buffer: nothing is allocated after Open, and
// Flush hands the buffer to the system, so a crash loses at most what came after the last Flush.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "host/journal/journal_format.h"

class JournalWriter {
 public:
  JournalWriter() = default;
  ~JournalWriter();
  JournalWriter(const JournalWriter&) = delete;
  JournalWriter& operator=(const JournalWriter&) = delete;

  // Creates or empties the file; false (with errno set) when it cannot.
  bool Open(const char* path);
  // Writes out what is buffered. After a failed write the writer stops writing and Failed() is true.
  void Flush();
  void Close();
  bool Failed() const { return m_failed; }
  bool IsOpen() const { return m_fd >= 0; }

  void Byte(uint8_t v) {
    if (m_used == kBufferSize) Drain();
    m_buffer[m_used++] = v;
  }
  // A signed int as a zigzag varint (1 byte for -64..63, at most 5).
  void Int(int v) {
    uint32_t u = (uint32_t(v) << 1) ^ uint32_t(v >> 31);
    while (u >= 0x80) {
      Byte(uint8_t(u | 0x80));
      u >>= 7;
    }
    Byte(uint8_t(u));
  }
  void U64(uint64_t v);
  void F64(double v);
  void F32(float v);
  void Bytes(const void* data, size_t n);
  // A length and the bytes.
  void Text(const std::string& s);
  // The magic, the version and the header's fields.
  void Header(const journal::Header& header);

 private:
  static constexpr size_t kBufferSize = 64 * 1024;
  void Drain();

  int m_fd = -1;
  bool m_failed = false;
  size_t m_used = 0;
  uint8_t m_buffer[kBufferSize];
};
