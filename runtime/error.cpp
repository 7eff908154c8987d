// Output to standard output and the fatal path; with no debugger attached a fatal error ends with status 255
// at once, whatever standard input is.
#include "runtime/error.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "runtime/fatal_io.h"

namespace {

// One buffer reused by every print; grows to the longest line printed so far.
char* print_buf = nullptr;
int print_cap = 0;

const char* debug_info = "";  // this build never sets debug information

// -1 until the environment was read; then 1 when a debugger answers the prompt, else 0.
int debugger_attached = -1;

void (*fatal_flush)() = nullptr;

// Ends the process from the fatal path, after the flush routine (at most once, should it fault itself).
[[noreturn]] void FatalExit(int status) {
  static volatile int flushed = 0;
  if (fatal_flush && !flushed) {
    flushed = 1;
    fatal_flush();
  }
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

// The debugger prompt. With no debugger attached nothing would ever answer it (and a terminal on
// standard input would leave the player at a frozen window), so the process ends at once.
void debugger_prompt() {
  if (debugger_attached < 0) rtFatalInit();
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
  for (int i = 0; i < s.Length(); ++i) {
    unsigned u = s[i];
    if (u == 0) break;
    if (u < 0x80) {
      print_buf[n++] = char(u);
    } else if (u < 0x800) {
      print_buf[n++] = char(0xC0 | (u >> 6));
      print_buf[n++] = char(0x80 | (u & 0x3F));
    } else {
      print_buf[n++] = char(0xE0 | (u >> 12));
      print_buf[n++] = char(0x80 | ((u >> 6) & 0x3F));
      print_buf[n++] = char(0x80 | (u & 0x3F));
    }
  }
  print_buf[n++] = '\n';
  print_buf[n] = 0;
  return size_t(n);
}

// A line of the fatal message: through the fatal console, which on a desktop with no console collects it
// for the message box shown before the process ends.
void PrintFatalLine(const String& s) {
  fflush(stdout);  // whatever was printed before stays before it
  size_t n = FormatLine(s);
  rt_fatal_Write(1, print_buf, n);
}

}  // namespace

void rtPrint(const String& s) {
  FormatLine(s);
  fputs(print_buf, stdout);
  fflush(stdout);
}

void rtDebugLog(const String& s) { rtPrint(s); }

void rtPrintFatal(const String& s) {
  PrintFatalLine(s);
  rt_fatal_Show();
}

void rtDebugStop() { debugger_prompt(); }

void rtSetFatalFlush(void (*flush)()) { fatal_flush = flush; }

void rtFatalInit() {
  const char* v = getenv("VX_DEBUGGER");
  debugger_attached = v && v[0] == '1' && v[1] == 0 ? 1 : 0;
}

void rtRuntimeError(const char* message) {
  for (;;) {
    PrintFatalLine(String("Trazel Runtime Error : ") + String(message));
    PrintFatalLine(String(debug_info[0] ? debug_info : ""));
    debugger_prompt();
  }
}

void rtRuntimeErrorPreformatted(const char* text) {
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
