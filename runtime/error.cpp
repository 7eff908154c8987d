// Output to standard output and the fatal path; with no debugger attached a fatal error ends with status 255
// at once, whatever standard input is.
//
// The first thread to take the fatal path owns it to the end. It stops the game thread before it says
// anything (game code never runs beside, or after, the message and the flush), and any other thread that
// comes to the fatal path later stops there for good: one message, one flush, one message box.
#include "runtime/error.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "runtime/fatal_io.h"

namespace {

// The thread that took the fatal path (rt_fatal_ThreadId), 0 while none has. Lock-free, so the signal
// path may use it.
std::atomic<unsigned long long> fatal_owner{0};
static_assert(std::atomic<unsigned long long>::is_always_lock_free, "the signal path needs a lock-free latch");

// True when the fatal path's owner stopped the game thread, which may hold a lock of stdio then.
bool game_thread_stopped = false;

// Returns on the thread that owns the fatal path, taking it when nobody has; stops any other thread.
void TakeFatalPath() {
  const unsigned long long me = rt_fatal_ThreadId();
  unsigned long long owner = 0;
  if (fatal_owner.compare_exchange_strong(owner, me, std::memory_order_acq_rel)) {
    game_thread_stopped = rt_fatal_StopGameThread();
    return;
  }
  if (owner != me) rt_fatal_Park();
}

// Whatever was printed before the fatal message stays before it; not from the signal path (stdio), nor
// once the game thread was stopped, perhaps holding the lock of standard output.
void FlushPrinted() {
  if (!game_thread_stopped) fflush(stdout);
}

// One buffer reused by every print; grows to the longest line printed so far.
char* print_buf = nullptr;
int print_cap = 0;

const char* debug_info = "";  // this build never sets debug information

// -1 until the environment was read; then 1 when a debugger answers the prompt, else 0.
int debugger_attached = -1;

void (*fatal_flush)() = nullptr;

// Ends the process from the fatal path, after the flush routine (at most once, should it fault itself).
[[noreturn]] void FatalExit(int status) {
  static std::atomic<bool> flushed{false};
  TakeFatalPath();
  if (fatal_flush && !flushed.exchange(true)) fatal_flush();
  rt_fatal_Exit(status);
}

// Everything below is async-signal-safe (the console calls of runtime/fatal_io.h only, no allocation, no
// stdio), because the fatal-signal handler runs it too, possibly while the crashed thread holds the
// allocator's or stdio's locks.
void WriteText(int fd, const char* s) { rt_fatal_Write(fd, s, strlen(s)); }

// Reads a line of at most `cap` bytes including its line feed, one byte at a time so that nothing past
// the line is consumed; returns its length without the line feed, or -1 at end of input or when the
// line is longer than that.
int ReadLine(char* line, int cap) {
  for (int n = 0; n < cap;) {
    char c;
    if (!rt_fatal_ReadByte(&c)) return -1;
    if (c == '\n') {
      line[n] = 0;
      return n;
    }
    line[n++] = c;
  }
  return -1;
}

void ReadDebuggerSwitch() {
  const char* v = getenv("VX_DEBUGGER");
  debugger_attached = v && v[0] == '1' && v[1] == 0 ? 1 : 0;
}

// The debugger prompt. With no debugger attached nothing would ever answer it (and a terminal on
// standard input would leave the player at a frozen window), so the process ends at once.
void debugger_prompt() {
  if (debugger_attached < 0) ReadDebuggerSwitch();
  if (debugger_attached == 0) FatalExit(255);
  WriteText(2, "{{~~");
  WriteText(2, debug_info);
  WriteText(2, "~~}}\n\n");
  for (;;) {
    char line[257];
    if (ReadLine(line, 256) < 0) FatalExit(255);
    switch (line[0]) {
      case '?':
        continue;
      case '@':
        // Addresses typed at the prompt are not trusted: only the empty answer is printed for them.
        WriteText(2, "\n");
        continue;
      case 'r': case 's': case 'e': case 'l':
        return;
      case 'q':
        FatalExit(0);
      default:
        WriteText(1, "????? ");
        WriteText(1, line);
        WriteText(1, " ?????\n");
        FatalExit(255);
    }
  }
}

}  // namespace

namespace {

// The line for `s` in print_buf, as UTF-8 with its line feed; its length.
size_t FormatLine(const String& s) {
  int need = s.Length() * 3 + 2;
  if (need > print_cap) {
    print_cap = need;
    print_buf = static_cast<char*>(realloc(print_buf, size_t(print_cap)));
  }
  int n = 0;
  for (int i = 0; i < s.Length() && s[i] != 0; ++i) n += rtUtf8Unit(s[i], print_buf + n);
  print_buf[n++] = '\n';
  print_buf[n] = 0;
  return size_t(n);
}

// A line of the fatal message, made in a buffer of its own: the fatal path allocates nothing, since a
// thread it stopped may hold the allocator's lock. Only the fatal path's owner uses it. Over-long lines are
// cut.
class FatalLine {
 public:
  void Unit(unsigned u) {
    if (u != 0 && n_ + 3 < sizeof line_) n_ += size_t(rtUtf8Unit(Char(u), line_ + n_));
  }
  // A C string's bytes, each widened to a unit as String(const char*) does.
  void Bytes(const char* s) {
    for (; *s; ++s) Unit(Char(short(static_cast<signed char>(*s))));
  }
  // Writes the line, with its line feed, through the fatal console (which on a desktop with no console
  // collects it for the message box shown before the process ends), and starts a new one.
  void Write() {
    line_[n_++] = '\n';
    rt_fatal_Write(1, line_, n_);
    n_ = 0;
  }

 private:
  char line_[4096];
  size_t n_ = 0;
};
FatalLine fatal_line;

}  // namespace

void rtPrint(const String& s) {
  FormatLine(s);
  fputs(print_buf, stdout);
  fflush(stdout);
}

void rtDebugLog(const String& s) { rtPrint(s); }

void rtPrintFatal(const String& s) {
  TakeFatalPath();
  FlushPrinted();
  for (int i = 0; i < s.Length() && s[i] != 0; ++i) fatal_line.Unit(s[i]);
  fatal_line.Write();
  rt_fatal_Show();
}

void rtDebugStop() { debugger_prompt(); }

void rtSetFatalFlush(void (*flush)()) { fatal_flush = flush; }

void rtFatalInit() {
  ReadDebuggerSwitch();
  rt_fatal_Init();
}

bool rtFatalCheckpoint() {
  const unsigned long long owner = fatal_owner.load(std::memory_order_acquire);
  if (owner == 0) return false;
  if (owner == rt_fatal_ThreadId()) return true;
  rt_fatal_Park();
}

void rtRuntimeError(const char* message) {
  TakeFatalPath();
  for (;;) {
    FlushPrinted();
    fatal_line.Bytes("Trazel Runtime Error : ");
    fatal_line.Bytes(message);
    fatal_line.Write();
    fatal_line.Bytes(debug_info);
    fatal_line.Write();
    debugger_prompt();
  }
}

void rtRuntimeErrorPreformatted(const char* text) {
  TakeFatalPath();
  for (;;) {
    WriteText(1, text);
    debugger_prompt();
  }
}

void rtError(const String& message) {
  if (message.Length() == 0) exit(0);
  char buf[1024];
  rtRuntimeError(message.ToCString(buf, sizeof buf));
}
