// The journal's buffered file writer (see journal_writer.h).
#include "host/journal/journal_writer.h"

#include <cerrno>
#include <cstring>

#include "host/platform.h"

JournalWriter::~JournalWriter() { Close(); }

bool JournalWriter::Open(const char* path) {
  Close();
  if (!Take()) {  // the fatal path keeps the old file: the process is ending
    errno = EBUSY;
    return false;
  }
  m_fd = host_CreateRawFile(path);
  m_failed = m_fd < 0;
  m_used = 0;
  m_published.store(0, std::memory_order_relaxed);
  Give();
  return m_fd >= 0;
}

bool JournalWriter::Drain() {
  if (!Take()) return false;
  if (m_fd >= 0 && !m_failed && m_used > 0 && !host_WriteRaw(m_fd, m_buffer, m_used)) m_failed = true;
  m_used = 0;
  // Seen by the fatal path together with the file's release below: it never writes these bytes again.
  m_published.store(0, std::memory_order_relaxed);
  Give();
  return true;
}

void JournalWriter::Flush() {
  if (m_used) Drain();
}

void JournalWriter::Close() {
  if (m_fd < 0) return;
  Flush();
  if (Take()) {
    host_CloseRaw(m_fd);
    m_fd = -1;
    Give();
  } else if (m_owner.load(std::memory_order_acquire) == kFatalDone) {
    host_CloseRaw(m_fd);  // the fatal path is done with it (an ending process rarely gets here)
    m_fd = -1;
  }
}

// How long the fatal path waits for the writing thread to finish a write to the file: a loop of atomic
// loads, some tens of milliseconds. A writing thread still running finishes a write sooner than that; one
// that is stopped (the fatal path may stop the game thread first) or that the fault interrupted never
// does, and then the file ends where that write left it.
constexpr long kFatalWaitLoads = 1L << 25;

bool JournalWriter::FlushFromFatal() {
  int owner = kFree;
  for (long loads = 0; !m_owner.compare_exchange_strong(owner, kFatal, std::memory_order_acquire); owner = kFree) {
    if (owner == kFatal || owner == kFatalDone) return true;  // flushed already
    while (m_owner.load(std::memory_order_relaxed) == kWriting) {
      if (++loads > kFatalWaitLoads) return false;
    }
  }
  const size_t size = m_published.load(std::memory_order_acquire);
  if (m_fd >= 0 && !m_failed && size > 0) host_WriteRaw(m_fd, m_buffer, size);
  m_owner.store(kFatalDone, std::memory_order_release);
  return true;
}

void JournalWriter::U64(uint64_t v) {
  for (int i = 0; i < 8; ++i) Byte(uint8_t(v >> (8 * i)));
}

void JournalWriter::F64(double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  U64(bits);
}

void JournalWriter::F32(float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  for (int i = 0; i < 4; ++i) Byte(uint8_t(bits >> (8 * i)));
}

void JournalWriter::Bytes(const void* data, size_t n) {
  const uint8_t* p = static_cast<const uint8_t*>(data);
  while (n > 0) {
    if (m_used == kBufferSize && !Drain()) return;  // the fatal path keeps the file
    size_t chunk = kBufferSize - m_used < n ? kBufferSize - m_used : n;
    std::memcpy(m_buffer + m_used, p, chunk);
    m_used += chunk;
    m_published.store(m_used, std::memory_order_release);
    p += chunk;
    n -= chunk;
  }
}

void JournalWriter::Text(const std::string& s) {
  Int(int(s.size()));
  Bytes(s.data(), s.size());
}

void JournalWriter::Header(const journal::Header& header) {
  Bytes(journal::kMagic, sizeof journal::kMagic);
  Byte(uint8_t(header.version & 0xFF));
  Byte(uint8_t(header.version >> 8));
  Text(header.build);
  Int(int(header.settings.size()));
  for (const auto& s : header.settings) {
    Text(s.first);
    Text(s.second);
  }
  Byte(header.hasState ? 1 : 0);
  if (header.hasState) Text(header.state);
}
