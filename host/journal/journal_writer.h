// Appends journal records to a file through one fixed buffer: nothing is allocated after Open, and
// Flush hands the buffer to the system, so a crash loses at most what came after the last Flush.
//
// One thread writes records (the game's main thread). The fatal path may run FlushFromFatal on any
// thread, from a signal handler, while that thread is anywhere in here. So every byte put in the buffer
// is published with an atomic store of the buffer's length, and the file belongs to one side at a time:
// the writing thread takes it for each write to the file, the fatal path takes it for good. The fatal
// path then writes only published bytes, never bytes the writing thread already wrote, and nothing
// reaches the file after it: the file is always a prefix of the journal.
#pragma once
#include <atomic>
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

  // The fatal path's flush: callable from any thread and from a signal handler, while the writing thread
  // may be in the middle of a record or of a write to the file. It only loads and swaps atomics and
  // writes the file (no allocation, no lock, no stdio). It writes what was published and keeps the file
  // from then on, so records the writing thread adds later are dropped; a second call does nothing.
  // False when it could not take the file: the writing thread was inside a write to it and did not come
  // out in time (it was stopped there, or the fault interrupted that write); the file then ends where that
  // write left it.
  bool FlushFromFatal();

  void Byte(uint8_t v) {
    if (m_used == kBufferSize && !Drain()) return;  // the fatal path keeps the file: the byte is dropped
    m_buffer[m_used++] = v;
    m_published.store(m_used, std::memory_order_release);
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
  // Who may touch the file (and reset the buffer) now: nobody, the writing thread for a moment, or the
  // fatal path for good (kFatalDone once its write is over, so the descriptor may be closed).
  enum FileOwner : int { kFree, kWriting, kFatal, kFatalDone };
  static_assert(std::atomic<int>::is_always_lock_free && std::atomic<size_t>::is_always_lock_free,
                "the fatal path may only use lock-free atomics");

  // Writes the buffer out and empties it; false (nothing changed) once the fatal path keeps the file.
  bool Drain();
  // The writing thread's hold on the file, for Drain, Open and Close.
  bool Take() {
    int free = kFree;
    return m_owner.compare_exchange_strong(free, kWriting, std::memory_order_acquire);
  }
  void Give() { m_owner.store(kFree, std::memory_order_release); }

  int m_fd = -1;
  bool m_failed = false;
  size_t m_used = 0;                   // the writing thread's own count
  std::atomic<size_t> m_published{0};  // m_used, for the fatal path: these bytes are written and whole
  std::atomic<int> m_owner{kFree};
  uint8_t m_buffer[kBufferSize];
};
