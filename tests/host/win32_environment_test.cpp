// Environment values that name files, read whole on Windows: the process's UTF-16 environment gives
// names beyond the ANSI code page (a user folder "Jürgen", Japanese file names) as UTF-8.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "host/platform.h"

namespace {

TEST(Win32EnvironmentTest, ValuesBeyondTheAnsiCodePageComeAsUtf8) {
  const std::wstring values[] = {
      L"C:\\Users\\J\u00fcrgen\\run.journal",
      L"r\u00fcn-\u65e5\u672c.vxj",
      L"\U0001F680 " + std::wstring(600, L'x'),  // a surrogate pair, and longer than the first buffer
  };
  const std::string utf8[] = {
      "C:\\Users\\J\xc3\xbcrgen\\run.journal",
      "r\xc3\xbcn-\xe6\x97\xa5\xe6\x9c\xac.vxj",
      "\xf0\x9f\x9a\x80 " + std::string(600, 'x'),
  };
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(SetEnvironmentVariableW(L"VX_TEST_PATH", values[i].c_str()));
    std::string got = "stale";
    EXPECT_TRUE(host_GetEnvironment("VX_TEST_PATH", got)) << i;
    EXPECT_EQ(got, utf8[i]) << i;
  }
  ASSERT_TRUE(SetEnvironmentVariableW(L"VX_TEST_PATH", L""));
  std::string got = "stale";
  EXPECT_TRUE(host_GetEnvironment("VX_TEST_PATH", got));
  EXPECT_EQ(got, "");
  ASSERT_TRUE(SetEnvironmentVariableW(L"VX_TEST_PATH", nullptr));
  EXPECT_FALSE(host_GetEnvironment("VX_TEST_PATH", got));
}

}  // namespace
