// The recording backend: a decorator over another backend table that forwards every call unchanged and
// appends the call, its arguments, what it returned and every event it delivered to a journal.
#pragma once
#include "host/backend/glfw2_backend.h"

class JournalWriter;

// The recorder's table, forwarding to `inner` and writing to `journal` (both must outlive its use). One
// recorder per process: a second call re-targets the same table. The journal is flushed after each
// buffer swap, so the file is whole up to the last frame shown.
const Glfw2Backend& glfw2rec_Backend(const Glfw2Backend& inner, JournalWriter& journal);
// Whether the recorder's table is the current backend.
bool glfw2rec_Active();
// A save of the state file while recording: runs it and writes its result.
int glfw2rec_SaveState(int (*save)(void* context), void* context);
