// Which addresses the game hands to the desktop's opener: web pages only. The opener (the shell's "open"
// verb, xdg-open) would also start a program or open a local file named to it.
#pragma once
#include <string>

// True when `url` (UTF-8) starts with the scheme http: or https:, in any letter case.
bool host_IsWebAddress(const std::string& url);
