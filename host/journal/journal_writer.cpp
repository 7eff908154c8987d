// The journal's buffered file writer (see journal_writer.h).
#include "host/journal/journal_writer.h"

#include <cstring>

#include "host/platform.h"

JournalWriter::~JournalWriter() { Close(); }

bool JournalWriter::Open(const char* path) {
  Close();
  m_fd = host_CreateRawFile(path);
  m_failed = m_fd < 0;
  m_used = 0;
  return m_fd >= 0;
}

void JournalWriter::Drain() {
  size_t size = m_used;
  m_used = 0;
  if (m_fd < 0 || m_failed) return;
  if (!host_WriteRaw(m_fd, m_buffer, size)) m_failed = true;
}

void JournalWriter::Flush() {
  if (m_used) Drain();
}

void JournalWriter::Close() {
  if (m_fd < 0) return;
  Flush();
  host_CloseRaw(m_fd);
  m_fd = -1;
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
    if (m_used == kBufferSize) Drain();
    size_t chunk = kBufferSize - m_used < n ? kBufferSize - m_used : n;
    std::memcpy(m_buffer + m_used, p, chunk);
    m_used += chunk;
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
