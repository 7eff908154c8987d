// Strings: slicing, splitting, replacing, number text, sharing and loading from files.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "runtime/runtime.h"

namespace {

std::string narrow(const String& s) {
  std::string r;
  for (int i = 0; i < s.Length(); ++i) r += char(s[i]);
  return r;
}

TEST(String, SliceClamping) {
  struct Case { const char* s; int from, to; const char* want; } cases[] = {
      {"abcdef", -3, -1, "de"}, {"abcdef", 4, 2, ""}, {"abc", 0, 100, "abc"},
      {"abc", -10, 2, "ab"},    {"abc", 5, 9, ""},    {"abcdef", 2, -10, ""},
  };
  for (auto& c : cases) EXPECT_EQ(narrow(String(c.s).Slice(c.from, c.to)), c.want) << c.s << " " << c.from << " " << c.to;
  String abc("abc");
  EXPECT_EQ(abc.Slice(0, 100).GetRep(), abc.GetRep());
  EXPECT_EQ(String("abc").Slice(3).GetRep(), &String::nullRep);
}

TEST(String, SplitAndJoin) {
  Array<String> a = String("a,b,,c").Split(String(","));
  ASSERT_EQ(a.Length(), 4);
  EXPECT_EQ(narrow(a[0]), "a");
  EXPECT_EQ(narrow(a[1]), "b");
  EXPECT_EQ(narrow(a[2]), "");
  EXPECT_EQ(narrow(a[3]), "c");
  Array<String> e = String("").Split(String(","));
  ASSERT_EQ(e.Length(), 1);
  EXPECT_EQ(e[0].Length(), 0);
  Array<String> u = String("abc").Split(String(""));
  ASSERT_EQ(u.Length(), 3);
  EXPECT_EQ(narrow(u[2]), "c");
  EXPECT_EQ(narrow(String("-").Join(a)), "a-b--c");
  EXPECT_EQ(String("-").Join(Array<String>()).Length(), 0);
  Array<String> one(1);
  one[0] = String("x");
  EXPECT_EQ(String(",").Join(one).GetRep(), one[0].GetRep());
}

TEST(String, ReplaceAndConcatShareWhenUnchanged) {
  EXPECT_EQ(narrow(String("aaa").Replace(String("aa"), String("b"))), "ba");
  EXPECT_EQ(narrow(String("x.y.z").Replace(String("."), String("::"))), "x::y::z");
  String s("hello");
  EXPECT_EQ(s.Replace(String("q"), String("z")).GetRep(), s.GetRep());
  EXPECT_EQ((s + String()).GetRep(), s.GetRep());
  EXPECT_EQ((String() + s).GetRep(), s.GetRep());
  EXPECT_EQ(narrow(s + String(" you")), "hello you");
}

TEST(String, NumberText) {
  EXPECT_EQ(narrow(String(100.0f)), "100.0");
  EXPECT_EQ(narrow(String(0.25f)), "0.25");
  EXPECT_EQ(narrow(String(3.0f)), "3.0");
  EXPECT_EQ(narrow(String(0.1f)), "0.10000000149011612");
  EXPECT_EQ(narrow(String(1e30f)), "1.0000000150474662e+30");
  EXPECT_EQ(narrow(String(-42)), "-42");
}

TEST(String, FindAndCompare) {
  String s("abcabc");
  EXPECT_EQ(s.Find(String("bc")), 1);
  EXPECT_EQ(s.Find(String("bc"), 2), 4);
  EXPECT_EQ(s.Find(String("x")), -1);
  EXPECT_EQ(s.FindLast(String("ab")), 3);
  EXPECT_TRUE(s.StartsWith(String("abca")));
  EXPECT_FALSE(s.StartsWith(String("abcabcd")));
  EXPECT_TRUE(String("ab") < String("b"));
  EXPECT_EQ(String("12abc").ToInt(), 12);
}

String load_bytes(const std::string& bytes) {
  FILE* f = tmpfile();
  fwrite(bytes.data(), 1, bytes.size(), f);
  rewind(f);
  String s = String::Load(f);
  fclose(f);
  return s;
}

TEST(String, LoadDecodings) {
#define B(lit) std::string(lit, sizeof(lit) - 1)
  struct Case { std::string bytes; std::u16string want; bool error; } cases[] = {
      {B("\xFF\xFE\x41\x00"), u"A", false},
      {B("\xFE\xFF\x00\x41\x20\xAC\x07"), u"A\u20AC", false},   // trailing odd byte ignored
      {B("\xEF\xBB\xBF\x41"), u"A", false},
      {B("A\xC3\xA9\xE2\x82\xAC"), u"A\u00E9\u20AC", false},
      {B("\x41\xC3"), u"A\u00C3", true},                       // cut short: Latin-1 fallback
      {B("\xF0\x9F\x98\x80"), u"\u00F0\u009F\u0098\u0080", true},  // four-byte lead
      {B(""), u"", false},
  };
  for (auto& c : cases) {
    String::loadError = nullptr;
    String s = load_bytes(c.bytes);
    std::u16string got(reinterpret_cast<const char16_t*>(s.Data()), size_t(s.Length()));
    EXPECT_EQ(got, c.want) << c.bytes;
    EXPECT_EQ(String::loadError != nullptr, c.error) << c.bytes;
  }
#undef B
}

TEST(String, RefCountsReleaseRepresentations) {
  String a("shared");
  {
    String b = a;
    String c;
    c = b;
    EXPECT_EQ(a.GetRep()->refs, 3);
  }
  EXPECT_EQ(a.GetRep()->refs, 1);
}

}  // namespace
