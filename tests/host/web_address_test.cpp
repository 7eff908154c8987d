// The scheme check that decides which URLs the game hands to the desktop's opener.
#include <gtest/gtest.h>

#include "host/web_address.h"

namespace {

TEST(WebAddressTest, OnlyHttpAndHttpsInAnyCase) {
  const struct {
    const char* url;
    bool web;
  } cases[] = {
      {"http://example.invalid/", true},
      {"https://example.invalid/a?b=c", true},
      {"HTTPS://EXAMPLE.INVALID/", true},
      {"hTtP:example", true},
      {"", false},
      {"http", false},
      {"https", false},
      {"httpx://example.invalid/", false},
      {" http://example.invalid/", false},  // the scheme must come first
      {"file:///etc/passwd", false},
      {"C:\\Windows\\System32\\cmd.exe", false},
      {"/usr/bin/xterm", false},
      {"--help", false},
      {"javascript:alert(1)", false},
      {"mailto:someone@example.invalid", false},
      {"notepad.exe", false},
  };
  for (const auto& c : cases) EXPECT_EQ(host_IsWebAddress(c.url), c.web) << '"' << c.url << '"';
}

}  // namespace
