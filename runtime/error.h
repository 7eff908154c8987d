// Text output and the fatal-error path: rtPrint, rtError, the runtime error routine and the debugger prompt.
// The first thread to take the fatal path (a runtime error, a fatal signal, an uncaught exception's message)
// owns it to the end: it stops the game thread first, and any other thread that comes later stops there.
#pragma once
#include "runtime/string.h"

// Writes `s` as UTF-8 with a line feed to standard output and flushes; a unit 0 ends the output early.
void rtPrint(const String& s);
void rtDebugLog(const String& s);
// An empty message ends the process with status 0; any other is a fatal runtime error.
[[noreturn]] void rtError(const String& message);
// One line of a fatal message for a process that then ends through its exit handlers (an uncaught
// exception): written as the runtime error's lines are, so that it reaches a player without a console too.
void rtPrintFatal(const String& s);
// The fatal runtime error routine: prints the message, enters the debugger prompt, never returns.
[[noreturn]] void rtRuntimeError(const char* message);
// The same for a fatal signal: `text` is the whole output (message line and trace line), written with
// async-signal-safe calls only.
[[noreturn]] void rtRuntimeErrorPreformatted(const char* text);
// The debugger prompt: reads commands from standard input; returns only on a step command. It is only
// shown when a debugger is attached (VX_DEBUGGER=1 in the environment); otherwise a fatal error ends the
// process with status 255 at once.
void rtDebugStop();
// Reads VX_DEBUGGER once, and makes the calling thread the game thread (the one that runs game code,
// which a fault on another thread stops); called before the fatal-signal handlers are installed, so that
// the signal path never reads the environment.
void rtFatalInit();
// The host's check before it runs game code: false while no thread has taken the fatal path. Once one has,
// the game never runs again: that thread (which may be showing its message box) gets true and drops the
// call, and any other thread stops here for good.
bool rtFatalCheckpoint();
// Sets the routine the fatal path runs just before the process ends, once per process (the session
// journal writes out its last records with it). It must be async-signal-safe: the signal path runs it.
void rtSetFatalFlush(void (*flush)());
