// Starts a recorded or replayed session from the environment (see journal.h): writes or checks the
// journal's header, brings the state file to the recorded start, installs the backend decorator, and at
// the process's end closes the journal or checks that the replay ended where the recording did.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "host/backend/glfw2_null.h"
#include "host/journal/glfw2_recording.h"
#include "host/journal/glfw2_replay.h"
#include "host/journal/journal.h"
#include "host/journal/journal_reader.h"
#include "host/journal/journal_writer.h"
#include "host/platform.h"
#include "host/state_file.h"
#include "runtime/error.h"

using namespace journal;

namespace {

// Environment switches that change what the game asks the backend; a journal carries their values so
// the replay takes the same path. Only these are ever taken from a journal.
const char* const kSettings[] = {"VX_STATS"};

JournalWriter g_writer;
JournalReader g_reader;
std::string g_journalPath;
bool g_recording = false, g_replaying = false;

[[noreturn]] void Refuse(const char* who, const std::string& text) {
  std::fflush(stdout);
  std::fprintf(stderr, "Vextrallis %s: %s\n", who, text.c_str());
  std::exit(kReplayBadJournal);
}

// The whole file; false when it cannot be read. `limit` bounds what is taken.
// The path is UTF-8 (a journal's name may hold any character the system's file names take).
bool ReadWhole(const std::string& path, std::vector<uint8_t>& out, size_t limit, bool& tooBig) {
  tooBig = false;
  FILE* f = host_OpenFile(path, "rb");
  if (!f) return false;
  uint8_t chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) {
    if (out.size() + n > limit) {
      tooBig = true;
      break;
    }
    out.insert(out.end(), chunk, chunk + n);
  }
  bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

void EndRecording() {
  if (!g_recording) return;
  g_recording = false;
  g_writer.Byte(kEnd);
  g_writer.Close();
  std::fprintf(stderr, "Vextrallis journal: %s%s (draw-list hash %016llx)\n", g_journalPath.c_str(),
               g_writer.Failed() ? " is incomplete: writing it failed" : " written",
               (unsigned long long)journal_RunningHash());
}

void StartRecording(const std::string& path) {
  std::vector<uint8_t> state;
  bool tooBig = false;
  const bool hasState = ReadWhole(kStateFile, state, kMaxStateBytes, tooBig);
  if (tooBig) Refuse("journal", "the state file is too large to record");
  if (!g_writer.Open(path.c_str())) Refuse("journal", "cannot write " + path + ": " + std::strerror(errno));
  g_journalPath = path;

  journal::Header header;
  header.build = journal_BuildIdentity();
  for (const char* name : kSettings) {
    if (const char* value = std::getenv(name)) header.settings.emplace_back(name, std::string(value).substr(0, kMaxText));
  }
  header.hasState = hasState;
  header.state.assign(state.begin(), state.end());
  g_writer.Header(header);
  g_writer.Flush();

  g_recording = true;
  journal_ResetHash(true);
  glfw2_SetBackend(&glfw2rec_Backend(glfw2_CurrentBackend(), g_writer));
  std::atexit(EndRecording);
  // A fatal error ends the process at once: the records of the failing frame are written out first, so
  // its replay reaches the same error. The fault may come on another thread while this one is inside the
  // writer, so the fatal path has its own flush (atomics and write(2) only, fit for the signal path).
  rtSetFatalFlush([] { g_writer.FlushFromFatal(); });
}

void EndReplay() {
  if (!g_replaying) return;
  g_replaying = false;
  glfw2replay_CheckEnd();  // reports a divergence itself
  std::fprintf(stderr, "Vextrallis replay: %d frames matched the journal (draw-list hash %016llx)\n",
               glfw2replay_Frame() - 1, (unsigned long long)journal_RunningHash());
}

// The state file must be the one the recorded run started with. A missing one is written; one that
// differs is left alone and the replay refused, so a player's own state is never overwritten.
void PrepareStateFile(const journal::Header& header) {
  std::vector<uint8_t> current;
  bool tooBig = false;
  const bool exists = ReadWhole(kStateFile, current, kMaxStateBytes, tooBig);
  if (!exists) {
    struct stat st;
    if (stat(kStateFile, &st) == 0) Refuse("replay", "cannot read the state file in this folder");
    if (!header.hasState) return;
    FILE* f = std::fopen(kStateFile, "wb");
    bool ok = f && std::fwrite(header.state.data(), 1, header.state.size(), f) == header.state.size();
    if (f) ok = std::fclose(f) == 0 && ok;
    if (!ok) Refuse("replay", std::string("cannot write the recorded state file: ") + std::strerror(errno));
    return;
  }
  const bool same = header.hasState && !tooBig && current.size() == header.state.size() &&
                    std::memcmp(current.data(), header.state.data(), current.size()) == 0;
  if (!same) {
    Refuse("replay",
           "this folder already has a state file (.trazelstate) other than the one the recorded run started "
           "with; replay in an empty folder (the file was left as it is)");
  }
}

void StartReplay(const std::string& path, bool headless) {
  std::vector<uint8_t> bytes;
  bool tooBig = false;
  if (!ReadWhole(path, bytes, size_t(1) << 31, tooBig)) {
    Refuse("replay", "cannot read " + path + ": " + std::strerror(errno));
  }
  if (tooBig) Refuse("replay", path + " is too large to be a journal");
  if (!g_reader.Open(bytes.data(), bytes.size())) Refuse("replay", path + ": " + g_reader.Error());
  const journal::Header& header = g_reader.Header();
  const std::string build = journal_BuildIdentity();
  if (header.build != build) {
    Refuse("replay", path + " was recorded by another build of the game (build " + Printable(header.build) +
                         "; this is build " + build + ")");
  }
  PrepareStateFile(header);
  for (const char* name : kSettings) {
    const std::string* value = nullptr;
    for (const auto& s : header.settings) {
      if (s.first == name) value = &s.second;
    }
    host_SetEnvironment(name, value ? value->c_str() : nullptr);
  }

  g_replaying = true;
  journal_ResetHash(true);
  const Glfw2Backend& inner = headless ? glfw2null_Backend() : glfw2_CurrentBackend();
  glfw2_SetBackend(&glfw2replay_Backend(inner, g_reader, !headless));
  std::atexit(EndReplay);
}

bool Set(const char* value) { return value && *value && std::strcmp(value, "0") != 0; }

}  // namespace

void journal_StartFromEnvironment() {
  // The journals' paths are read as UTF-8 (on Windows from the wide environment), so a name beyond the
  // ANSI code page reaches the file calls whole.
  std::string record, replay;
  const bool recording = host_GetEnvironment("VX_RECORD", record) && !record.empty();
  const bool replaying = host_GetEnvironment("VX_REPLAY", replay) && !replay.empty();
  if (recording && replaying) Refuse("replay", "VX_RECORD and VX_REPLAY cannot be used together");
  if (recording) StartRecording(record);
  if (replaying) StartReplay(replay, Set(std::getenv("VX_HEADLESS")));
}
