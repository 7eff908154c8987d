// File access of the host: runtime path mapping, UTF-8 file names, whole-file loading, and the date.
#include "host_fixture.h"
#include "support/test_os.h"
#include "temp_dir.h"

namespace {

std::string Utf8(const String& s) {
  std::string out(size_t(s.Length()) * 3, '\0');
  out.resize(size_t(s.ToUtf8(&out[0])));
  return out;
}

TEST_F(HostTest, PathToFilePathMapsTrazelFolders) {
  const std::string dir = vxtest::ProgramFolder();
  const struct {
    const char* in;
    std::string out;
  } cases[] = {
      {"trazel://data/fonts/a.png", dir + "/data/fonts/a.png"},
      {"trazel://internal/save.bin", dir + "/internal/save.bin"},
      {"trazel://external/x/y.txt", dir + "/external/x/y.txt"},
      {"trazel://elsewhere/x.png", ""},  // unknown folders open nothing
      {"trazel:data/x.png", ""},
      {"./.trazelstate", "./.trazelstate"},  // everything else is a real path already
      {"/abs/x.png", "/abs/x.png"},
      {"rel/x.png", "rel/x.png"},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8(host->PathToFilePath(String(c.in))), c.out) << c.in;
  EXPECT_EQ(host->OpenFile(String("trazel://elsewhere/x.png"), String("rb")), nullptr);
}

TEST_F(HostTest, OpenFileUsesUtf8Names) {
  TempWorkingDir tmp;
  // "t", "e" acute, euro sign and a character beyond the 16-bit range (a surrogate pair).
  const Char units[] = {'t', 0xE9, 0x20AC, 0xD83D, 0xDE00, '.', 't', 'x', 't'};
  WriteFile("t\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80.txt", "hello");
  FILE* f = host->OpenFile(String(units, 9), String("rb"));
  ASSERT_NE(f, nullptr);
  char buf[8] = {};
  EXPECT_EQ(fread(buf, 1, sizeof buf, f), 5u);
  fclose(f);
  EXPECT_STREQ(buf, "hello");
}

TEST_F(HostTest, LoadDataReadsWholeFiles) {
  TempWorkingDir tmp;
  for (int size : {0, 1, 4095, 4096, 4097, 10000}) {
    std::string bytes(size_t(size), '\0');
    for (int i = 0; i < size; ++i) bytes[size_t(i)] = char(i * 7 + 3);
    WriteFile("blob.bin", bytes);
    int before = gc_ext_new_bytes.load();
    int length = -1;
    unsigned char* data = host->LoadData(String("blob.bin"), &length);
    ASSERT_NE(data, nullptr) << size;  // an empty file is data too, not a failure
    EXPECT_EQ(length, size);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size_t(length)), bytes) << size;
    EXPECT_EQ(gc_ext_new_bytes.load() - before, size);
    free(data);
  }
  int length = -1;
  EXPECT_EQ(host->LoadData(String("missing.bin"), &length), nullptr);
  EXPECT_EQ(host->LoadString(String("missing.txt")).Length(), 0);
}

TEST_F(HostTest, GetDateFillsLeadingElements) {
  Array<int> full(8), part(2);
  full[7] = -5;
  full[6] = -5;
  host->GetDate(full);
  host->GetDate(part);
  EXPECT_GE(full[0], 2024);
  EXPECT_TRUE(full[1] >= 1 && full[1] <= 12);
  EXPECT_TRUE(full[2] >= 1 && full[2] <= 31);
  EXPECT_EQ(full[6], 0);   // milliseconds
  EXPECT_EQ(full[7], -5);  // beyond the seven parts nothing is written
  EXPECT_EQ(part[0], full[0]);
}

}  // namespace
