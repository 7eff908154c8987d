// The journal reader: header, a check of every record, and the cursor the replay reads through.
#include "host/journal/journal_reader.h"

#include <cmath>
#include <cstring>

using namespace journal;

uint8_t JournalReader::Byte() {
  if (m_at >= m_data.size()) {
    m_short = true;
    return 0;
  }
  return m_data[m_at++];
}

int JournalReader::Int() {
  uint32_t u = 0;
  for (int shift = 0; shift < 35; shift += 7) {
    uint8_t b = Byte();
    if (shift == 28 && b > 0x0F) {  // more than 32 bits (the file goes on: a read past its end gives 0)
      m_bad = true;
      return 0;
    }
    u |= uint32_t(b & 0x7F) << shift;
    if (!(b & 0x80)) return int(u >> 1) ^ -int(u & 1);
  }
  return 0;  // not reached: the fifth byte either ends the number or is refused above
}

uint64_t JournalReader::U64() {
  uint64_t v = 0;
  for (int i = 0; i < 8; ++i) v |= uint64_t(Byte()) << (8 * i);
  return v;
}

double JournalReader::F64() {
  uint64_t bits = U64();
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

float JournalReader::F32() {
  uint32_t bits = 0;
  for (int i = 0; i < 4; ++i) bits |= uint32_t(Byte()) << (8 * i);
  float v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

const uint8_t* JournalReader::Take(size_t n) {
  static const uint8_t kNothing[1] = {0};
  if (n > m_data.size() - m_at) {
    m_short = true;
    m_at = m_data.size();
    return n == 0 ? kNothing : nullptr;
  }
  const uint8_t* p = m_data.data() + m_at;
  m_at += n;
  return p;
}

bool JournalReader::Fail(const std::string& what) {
  m_error = what;
  return false;
}

bool JournalReader::HeaderFault(const char* what) {
  if (m_short && !m_bad) return Fail("truncated in its header");
  return Fail(std::string("damaged header (") + what + ")");
}

bool JournalReader::Open(const uint8_t* data, size_t size) {
  m_data.assign(data, data + size);
  m_at = 0;
  m_short = false;
  m_bad = false;
  m_error.clear();
  m_header = journal::Header();
  m_frames = 0;
  m_finished = false;
  m_cut = false;
  m_lastHash = 0;
  if (!ReadHeader() || !WalkRecords()) return false;
  return true;
}

bool JournalReader::ReadText(std::string& out) {
  int n = Int();
  if (m_short || m_bad || n < 0 || uint32_t(n) > kMaxText) return false;
  const uint8_t* p = Take(size_t(n));
  if (!p) return false;
  out.assign(reinterpret_cast<const char*>(p), size_t(n));
  return true;
}

bool JournalReader::ReadHeader() {
  if (m_data.size() < sizeof kMagic || std::memcmp(m_data.data(), kMagic, sizeof kMagic) != 0) {
    return Fail("not a journal (it does not start with the journal mark)");
  }
  m_at = sizeof kMagic;
  const int low = Byte();  // two statements: the order of a | b's operands is unspecified
  const int version = low | Byte() << 8;
  if (m_short) return Fail("truncated in its header");
  m_header.version = version;
  if (version != kVersion) {
    return Fail("journal format version " + std::to_string(version) + "; this build reads version " +
                std::to_string(kVersion));
  }
  if (!ReadText(m_header.build)) return HeaderFault("build identity");
  int settings = Int();
  if (m_short || m_bad || settings < 0 || uint32_t(settings) > kMaxSettings) return HeaderFault("settings");
  for (int i = 0; i < settings; ++i) {
    std::string name, value;
    if (!ReadText(name) || !ReadText(value)) return HeaderFault("settings");
    m_header.settings.emplace_back(name, value);
  }
  int hasState = Byte();
  if (m_short || hasState > 1) return HeaderFault("state file flag");
  m_header.hasState = hasState == 1;
  if (m_header.hasState) {
    int n = Int();
    if (m_short || m_bad || n < 0 || uint32_t(n) > kMaxStateBytes) return HeaderFault("state file length");
    const uint8_t* p = Take(size_t(n));
    if (!p) return Fail("truncated in its header (state file)");
    m_header.state.assign(reinterpret_cast<const char*>(p), size_t(n));
  }
  return true;
}

// Consumes one record's payload by its shape, checking counts and clock readings.
bool JournalReader::SkipPayload(int op) {
  const char* shape = OpShape(op);
  int count = 0, result = 0;
  for (const char* s = shape; *s; ++s) {
    switch (*s) {
      case 'i': Int(); break;
      case 'n':
        count = Int();
        if (count < 0 || uint32_t(count) > kMaxArray) return false;
        break;
      case 'r':
        result = Int();
        if (result < 0 || result > count) return false;
        break;
      case 'F': Take(size_t(count) * 4); break;
      case 'B': Take(size_t(count)); break;
      case 'M':
        for (int m = 0; m < result * 5; ++m) Int();
        break;
      case 't': {
        double t = F64();
        if (!(t >= 0.0 && t <= kMaxTime)) return false;  // also NaN
        break;
      }
      case 'd':
        if (!std::isfinite(F64())) return false;
        break;
      case 'q': U64(); break;
      case 's': {
        int n = Int();
        if (n < 0 || uint32_t(n) > kMaxText) return false;
        Take(size_t(n));
        break;
      }
    }
    if (m_bad) return false;   // an over-long number: damage, even where the file also ends
    if (m_short) return true;  // the file ends inside this record: the caller takes it as the cut
  }
  return true;
}

bool JournalReader::WalkRecords() {
  const size_t start = m_at;
  size_t cleanEnd = start;    // the end of the last whole frame
  std::vector<uint8_t> open;  // event-delivering calls not yet closed, innermost last
  uint64_t hash = 0;
  while (!AtEnd()) {
    const size_t at = m_at;
    const int op = Byte();
    auto where = [&] { return " at byte " + std::to_string(at) + " (frame " + std::to_string(m_frames + 1) + ")"; };
    if (!OpShape(op)) return Fail("damaged" + where() + ": unknown record code " + std::to_string(op));
    if (op == kSwapBuffers) {
      const size_t hashAt = m_at;
      hash = U64();
      m_at = hashAt;
    }
    if (!SkipPayload(op)) return Fail("damaged" + where() + ": a " + OpName(op) + " record holds an impossible value");
    if (m_short) {
      // The file ends inside this record: the run ended while it was being written (a fatal error writes
      // out what it has). Everything before it is replayed, then the replay ends where the recording did.
      // Only the file's end makes a cut; anything impossible before it was refused above as damage.
      m_data.resize(at);
      m_cut = true;
      break;
    }
    if (op == kEnd) {
      if (!AtEnd()) return Fail("damaged" + where() + ": records follow the end of the run");
      m_finished = true;
      break;
    }
    if (DeliversEvents(op)) {
      if (open.size() >= 8) return Fail("damaged" + where() + ": event deliveries nested too deep");
      open.push_back(uint8_t(op));
    } else if (op == kEventsDone) {
      if (open.empty()) return Fail("damaged" + where() + ": an end of events closes nothing");
      const int closed = open.back();
      open.pop_back();
      if (closed == kSwapBuffers) {
        ++m_frames;
        m_lastHash = hash;
        if (open.empty()) cleanEnd = m_at;
      }
    }
  }
  // A journal that stops inside a frame is the record of a run that ended there; it replays up to the cut.
  if (!m_finished && cleanEnd != m_data.size()) m_cut = true;
  m_at = start;
  m_short = false;
  return true;
}
