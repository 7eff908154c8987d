// The state file's save as an input of the game: passed through a recording or a replay when one is the
// current backend (see journal.h).
#include "host/backend/glfw2_backend.h"
#include "host/journal/glfw2_recording.h"
#include "host/journal/glfw2_replay.h"
#include "host/journal/journal.h"

int journal_SaveState(journal_SaveFunction save, void* context) {
  if (glfw2rec_Active()) return glfw2rec_SaveState(save, context);
  if (glfw2replay_Active()) return glfw2replay_SaveState(save, context);
  return save(context);
}
