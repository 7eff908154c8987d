// Output to standard output and the fatal path; with no debugger attached a fatal error ends with status 255.
#include "runtime/error.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// One buffer reused by every print; grows to the longest line printed so far.
char* print_buf = nullptr;
int print_cap = 0;

const char* debug_info = "";  // this build never sets debug information

void debugger_prompt() {
  fprintf(stderr, "{{~~%s~~}}\n\n", debug_info);
  fflush(stderr);
  for (;;) {
    char line[257];
    if (!fgets(line, sizeof line, stdin)) exit(-1);
    size_t n = strlen(line);
    if (n == 0 || line[n - 1] != '\n') exit(-1);
    switch (line[0]) {
      case '?':
        continue;
      case '@': {
        void* p = nullptr;
        if (sscanf(line + 1, "%p", &p) != 1) p = nullptr;
        // Addresses typed at the prompt are not trusted: only the empty answer is printed for them.
        fprintf(stderr, "\n");
        fflush(stderr);
        continue;
      }
      case 'r': case 's': case 'e': case 'l':
        return;
      case 'q':
        exit(0);
      default:
        line[n - 1] = 0;
        printf("????? %s ?????\n", line);
        fflush(stdout);
        exit(-1);
    }
  }
}

}  // namespace

void rtPrint(const String& s) {
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
  fputs(print_buf, stdout);
  fflush(stdout);
}

void rtDebugLog(const String& s) { rtPrint(s); }

void rtDebugStop() { debugger_prompt(); }

void rtRuntimeError(const char* message) {
  for (;;) {
    rtPrint(String("Trazel Runtime Error : ") + String(message));
    rtPrint(String(debug_info[0] ? debug_info : ""));
    debugger_prompt();
  }
}

void rtError(const String& message) {
  if (message.Length() == 0) exit(0);
  char buf[1024];
  rtRuntimeError(message.ToCString(buf, sizeof buf));
}
