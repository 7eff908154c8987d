// The scheme check of the URLs the game opens (see web_address.h).
#include "host/web_address.h"

namespace {

bool StartsWithNoCase(const std::string& text, const char* prefix) {
  size_t i = 0;
  for (; prefix[i]; ++i) {
    if (i >= text.size()) return false;
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

}  // namespace

bool host_IsWebAddress(const std::string& url) {
  return StartsWithNoCase(url, "http:") || StartsWithNoCase(url, "https:");
}
