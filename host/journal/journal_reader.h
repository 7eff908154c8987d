// Reads a session journal held in memory: Open checks the header and walks every record once, so that a
// damaged file is refused with one message before anything acts on it; the cursor then serves the records
// in order to the replaying backend.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "host/journal/journal_format.h"

class JournalReader {
 public:
  // Takes a copy of the bytes. False on any fault; Error() then says what and where.
  bool Open(const uint8_t* data, size_t size);
  const std::string& Error() const { return m_error; }
  const journal::Header& Header() const { return m_header; }
  int Frames() const { return m_frames; }         // complete frames (buffer swaps with their events)
  bool Finished() const { return m_finished; }     // the recording ends with the process's end
  bool Cut() const { return m_cut; }               // it stops inside a frame (a whole record at most lost)
  uint64_t LastHash() const { return m_lastHash; } // the running draw-list hash of the last frame

  // >>cursor (over a journal Open accepted; reads past the end give zeros)
  bool AtEnd() const { return m_at >= m_data.size(); }
  int PeekOp() const { return AtEnd() ? -1 : m_data[m_at]; }
  size_t Offset() const { return m_at; }
  uint8_t Byte();
  int Int();
  uint64_t U64();
  double F64();
  float F32();
  // `n` bytes from the cursor (n bounded by what Open checked).
  const uint8_t* Take(size_t n);

 private:
  bool Fail(const std::string& what);
  // A fault in the header: truncated when a read ran past the end, else damaged (`what` says where).
  bool HeaderFault(const char* what);
  bool ReadHeader();
  bool ReadText(std::string& out);
  bool WalkRecords();
  bool SkipPayload(int op);

  std::vector<uint8_t> m_data;
  size_t m_at = 0;
  bool m_short = false;  // a read ran past the end of the file: cut there
  bool m_bad = false;    // a number longer than its field: damaged, wherever the file ends
  std::string m_error;
  journal::Header m_header;
  int m_frames = 0;
  bool m_finished = false;
  bool m_cut = false;
  uint64_t m_lastHash = 0;
};
