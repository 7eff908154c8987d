// Extra pad mappings: which lines are refused and why, one message per skipped line while the rest still
// reach GLFW one by one, and the start-up sources (the file beside the program, then the environment).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "host/pads/gamepad_mappings.h"
#include "host/platform.h"
#include "scripted_pads.h"
#include "support/test_os.h"

namespace {

const std::string kGuid = "03000000aa5500001122000010010000";
const std::string kGood = kGuid + ",Test Pad,a:b0,b:b1,back:b8,start:b9,dpup:h0.1,dpleft:h0.8,leftx:a0,lefty:a1~,"
                                  "righty:-a3,rightx:+a2,lefttrigger:b6,platform:" + host_PlatformName() + ",";

// A log that tests can read back.
class Log {
 public:
  Log() : file(vxtest::ScratchStream()) {}
  ~Log() { std::fclose(file); }
  std::string Text() {
    std::fflush(file);
    std::rewind(file);
    std::string s;
    char buf[512];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, file)) > 0) s.append(buf, n);
    return s;
  }
  int Lines() {
    std::string t = Text();
    int n = 0;
    for (char c : t) n += c == '\n';
    return n;
  }
  FILE* file;
};

class GamepadMappings : public ::testing::Test {
 protected:
  void SetUp() override { scriptedPads_Install(); }
  void TearDown() override {
    scriptedPads_Uninstall();
    host_SetEnvironment("SDL_GAMECONTROLLERCONFIG", nullptr);
  }
  const std::vector<std::string>& Fed() { return scriptedPads().mappingsFed; }
};

TEST_F(GamepadMappings, LinesThatCannotBeMappings) {
  struct Case {
    std::string line;
    const char* fault;  // a word of the reason, or nullptr when the line is a mapping
  } const cases[] = {
      {kGood, nullptr},
      {kGuid + ",Pad,", nullptr},                                // no elements yet is still a mapping
      // Shapes of real mapping lists: hints, checksums, input modifiers, and empty sources (unbound).
      {kGuid + ",Pad,a:b0,hint:!SDL_GAMECONTROLLER_USE_BUTTON_LABELS:=1,", nullptr},
      {kGuid + ",Pad,crc:4d2a,a:b0,lefttrigger:-a1,righttrigger:+a2~,leftx:a0~,", nullptr},
      {kGuid + ",Brook Universal Fighting Board,a:b1,leftx:,lefty:,", nullptr},
      {kGuid + ",SL-6566,a:b0,guide:,start:b9,", nullptr},
      {kGuid + ",Pad,a:b0,+leftx:a0,", "\"+leftx\" maps half an output axis"},
      {kGuid + ",Pad,-lefty:a1,a:b0,", "\"-lefty\" maps half an output axis"},
      {kGuid + ",Pad,misc1:b5,sdk>=:2.0.10,", nullptr},          // fields GLFW does not know pass
      {kGuid + ",Pad,a:b0", nullptr},                            // no trailing comma
      {"03000000aa550000112200001001000,Pad,a:b0,", "id"},       // 31 digits
      {"03000000aa55000011220000100100000,Pad,a:b0,", "id"},     // 33 digits
      {"03000000xx5500001122000010010000,Pad,a:b0,", "id"},
      {kGuid, "id"},
      {kGuid + ",Pad without fields", "name"},
      {kGuid + "," + std::string(128, 'n') + ",a:b0,", "name"},
      {kGuid + ",Pad,a=b0,", "name:value"},
      {kGuid + ",Pad,:b0,", "name:value"},
      {kGuid + ",Pad,a:c0,", "b<n>"},
      {kGuid + ",Pad,a:b,", "b<n>"},
      {kGuid + ",Pad,a:+b0,", "b<n>"},
      {kGuid + ",Pad,dpup:h0,", "b<n>"},
      {kGuid + ",Pad,dpup:h0.x,", "b<n>"},
      {kGuid + ",Pad,leftx:a0~~,", "b<n>"},
      {kGuid + ",Pad,a:b0 ,", "b<n>"},
      {kGuid + ",Pad,a:b0," + std::string(1000, 'x') + ":1,", "longer"},
      {kGuid + ",Pa\x01d,a:b0,", "control"},
      {kGuid + std::string(",Pad,a:b0\0,", 11), "control"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line.substr(0, 80));
    const char* fault = glfw2_MappingLineFault(c.line.data(), int(c.line.size()));
    if (!c.fault) {
      EXPECT_EQ(fault, nullptr) << fault;
    } else {
      ASSERT_NE(fault, nullptr);
      EXPECT_NE(std::strstr(fault, c.fault), nullptr) << fault;
    }
  }
}

TEST_F(GamepadMappings, LinesForAnotherSystemGoQuietly) {
  const std::string here = kGuid + ",Here,a:b0,platform:" + host_PlatformName() + ",";
  const std::string elsewhere = kGuid + ",Elsewhere,a:b0,platform:Mac OS X,";
  const std::string anywhere = kGuid + ",Anywhere,a:b0,";
  // Another system's line with a field this system's GLFW does not take is still not this one's business.
  const std::string elsewhereHalfAxis = kGuid + ",Elsewhere,a:b0,+leftx:a0,platform:Mac OS X,";
  const std::string text = here + "\n" + elsewhere + "\n" + anywhere + "\n" + elsewhereHalfAxis + "\n";
  Log log;
  EXPECT_EQ(glfw2_AddGamepadMappings(text.data(), text.size(), "test", log.file), 2);
  ASSERT_EQ(Fed().size(), 2u);
  EXPECT_EQ(Fed()[0], here);
  EXPECT_EQ(Fed()[1], anywhere);
  EXPECT_EQ(log.Lines(), 0) << log.Text();
}

TEST_F(GamepadMappings, EachLineGoesToGlfwOnItsOwnAndEachBadOneIsOneMessage) {
  const std::string other = "0300000011110000222200003333ffff,Other Pad,a:b1,b:b0,";
  const std::string text = "# a comment\r\n"
                           "\n" +
                           kGood + "\r\n"
                           "   \t\n"
                           "not a mapping at all\n"
                           "  " + other + "  \n" +
                           kGuid + ",Broken,a:q1,\n"
                           "  # an indented comment";
  Log log;
  EXPECT_EQ(glfw2_AddGamepadMappings(text.data(), text.size(), "test text", log.file), 2);
  ASSERT_EQ(Fed().size(), 2u);
  EXPECT_EQ(Fed()[0], kGood);
  EXPECT_EQ(Fed()[1], other) << "trimmed";
  EXPECT_EQ(log.Lines(), 2) << log.Text();
  EXPECT_NE(log.Text().find("test text, line 5"), std::string::npos) << log.Text();
  EXPECT_NE(log.Text().find("test text, line 7"), std::string::npos) << log.Text();

  // A line that passes the checks but that GLFW refuses costs only itself.
  Log refused;
  scriptedPads().refuseMappings = true;
  const std::string two = kGood + "\n" + other;
  EXPECT_EQ(glfw2_AddGamepadMappings(two.data(), two.size(), "env", refused.file), 0);
  EXPECT_EQ(Fed().size(), 4u);
  EXPECT_EQ(refused.Lines(), 2) << refused.Text();
  EXPECT_NE(refused.Text().find("GLFW refused"), std::string::npos);

  EXPECT_EQ(glfw2_AddGamepadMappings(nullptr, 0, "none", nullptr), 0);
}

TEST_F(GamepadMappings, StartUpReadsTheFileBesideTheProgramThenTheEnvironment) {
  const std::string dir = vxtest::MakeTempDir("vx-pads-");
  ASSERT_FALSE(dir.empty());
  const std::string file = dir + "/gamecontrollerdb.txt";
  const std::string fromEnv = "0300000011110000222200003333ffff,Env Pad,a:b1,";

  Log quiet;
  glfw2_LoadStartupGamepadMappings(quiet.file, dir.c_str());  // neither source: nothing, and no message
  EXPECT_TRUE(Fed().empty());
  EXPECT_EQ(quiet.Lines(), 0);

  // Stray bytes must not hide the lines after them.
  ASSERT_TRUE(vxtest::WriteWholeFile(file, "# pads\n" + kGood + "\nbroken line\n" + std::string(1, '\0') + "\n" + kGuid +
                                               ",Last,a:b2,\n"));
  host_SetEnvironment("SDL_GAMECONTROLLERCONFIG", (fromEnv + "\n" + kGuid + ",Bad,a:b?,").c_str());
  Log log;
  glfw2_LoadStartupGamepadMappings(log.file, dir.c_str());
  ASSERT_EQ(Fed().size(), 3u);
  EXPECT_EQ(Fed()[0], kGood);
  EXPECT_EQ(Fed()[1], kGuid + ",Last,a:b2,");
  EXPECT_EQ(Fed()[2], fromEnv) << "the environment comes last, so it wins for a pad named twice";
  EXPECT_EQ(log.Lines(), 3) << log.Text();
  EXPECT_NE(log.Text().find(file + ", line 3"), std::string::npos) << log.Text();
  EXPECT_NE(log.Text().find("SDL_GAMECONTROLLERCONFIG, line 2"), std::string::npos) << log.Text();

  vxtest::RemoveTree(dir);
}

}  // namespace
