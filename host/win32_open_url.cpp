// Opening a URL in the desktop's browser on Windows: the shell's "open" verb on the URL, which hands it to
// the browser the player chose; nothing is run through a command line. Only web addresses are opened: the
// same verb would start a program or open any file it is given.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "host/host.h"
#include "host/utf8_path.h"
#include "host/web_address.h"

void RtGlfwGame::OpenUrl(String url) {
  if (!host_IsWebAddress(StringToUtf8Path(url))) return;
  // The runtime's strings are UTF-16 already, as the wide call takes them; a unit 0 would end the URL.
  std::wstring wide;
  for (int i = 0; i < url.Length() && url[i] != 0; ++i) wide += wchar_t(url[i]);
  ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
