// Recording and replaying a session. VX_RECORD=path writes a journal of everything the game receives
// through the backend seam (plus the state file it started with); VX_REPLAY=path plays such a journal
// back, in a window or, with VX_HEADLESS=1, on the null backend as fast as the CPU allows.
#pragma once
#include <cstdint>
#include <string>

// Reads VX_RECORD, VX_REPLAY and VX_HEADLESS and installs the recording or replaying backend. Call
// before glfwInit. A journal that cannot be written or is refused ends the process with one line on
// standard error and a non-zero status, before the game starts and before any state file is touched.
void journal_StartFromEnvironment();

namespace journal_detail {
extern bool g_hashing;
void Fold(const float* list, int count);
}  // namespace journal_detail

// Folds the draw list a render just replayed into the running hash (only while recording or replaying).
inline void journal_NoteDrawList(const float* list, int count) {
  if (journal_detail::g_hashing) journal_detail::Fold(list, count);
}
// The running hash over every draw list noted so far.
uint64_t journal_RunningHash();
// Starts hashing from zero (tests and benchmarks that record several sessions in one process).
void journal_ResetHash(bool hashing);
// A hash of `count` floats' bits, chained onto `seed`.
uint64_t journal_HashFloats(const float* list, int count, uint64_t seed);

// Saving the state file is an input of the game like a key: whether the file could be written decides what
// the game shows. `save` writes it and returns 0 when it was stored, negative when not. Without a journal
// it simply runs; a recording writes its result to the journal; a replay answers with the recorded result
// and runs `save` only when the recorded save worked, so the replay's folder ends as the recorded run's.
using journal_SaveFunction = int (*)(void* context);
int journal_SaveState(journal_SaveFunction save, void* context);

// This build's identity as the journal stores it: the executable's build id, in hex.
std::string journal_BuildIdentity();
