// The replaying backend: serves every call from a journal instead of the devices (clock, keys, mouse,
// joysticks, window state and modes, and the events, through the game's own callbacks), and checks that
// the game asks in the recorded order with the recorded arguments and draws the recorded draw lists.
// Window calls are passed on to an inner backend: a real window shows the run; the null one shows nothing.
#pragma once
#include "host/backend/glfw2_backend.h"

class JournalReader;

// Exit statuses of a replay that stops early; one line on standard error says why.
enum {
  kReplayBadJournal = 2,  // refused before the game started (or no window to show it in)
  kReplayDiverged = 3,    // the game asked for something else than the journal holds
  kReplayCutShort = 4,    // the journal ends before the recorded run did
};

// The replay's table, reading `journal` (opened, positioned at its first record) and passing window calls
// to `inner`. `realWindow`: the inner backend shows a window, so sleeps take real time and waits for
// events do not block.
const Glfw2Backend& glfw2replay_Backend(const Glfw2Backend& inner, JournalReader& journal, bool realWindow);
// Whether the replay's table is the current backend.
bool glfw2replay_Active();
// A save of the state file while replaying: the recorded result; `save` runs only when that was 0.
int glfw2replay_SaveState(int (*save)(void* context), void* context);
// The frame being replayed (1 until the first buffer swap completes).
int glfw2replay_Frame();
// At the process's end: true when the journal ends there too; otherwise reports the divergence.
bool glfw2replay_CheckEnd();
