// Opening a URL in the desktop's browser on Windows: the shell's "open" verb on the URL, which hands it to
// the browser the player chose; nothing is run through a command line.
#include <windows.h>
#include <shellapi.h>

#include "host/host.h"
#include "host/utf8_path.h"

void RtGlfwGame::OpenUrl(String url) {
  std::string text = StringToUtf8Path(url);
  // An empty URL opens nothing; one starting with "-" would be read as an option of the opener.
  if (text.empty() || text[0] == '-') return;
  ShellExecuteA(nullptr, "open", text.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
