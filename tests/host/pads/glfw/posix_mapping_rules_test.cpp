// The mapping loader's rules against the real GLFW 3: each line of a table of real-world shapes goes once
// straight to GLFW and once through the loader, both with one pad connected (a stand-in evdev device,
// posix_fake_evdev.cpp, whose id the lines carry). A line is taken when GLFW then recognises the pad. The
// loader must count a line as added exactly when GLFW recognises the pad after it, and it takes every
// line GLFW takes except malformed ones it names to the player. Linux only: the pad stands in for evdev.
#include <gtest/gtest.h>

#include <GLFW/glfw3.h>

#include <cstdio>
#include <string>

#include "host/pads/gamepad_mappings.h"

namespace {

const std::string kGuid = "03000000aa5500001122000010010000";
const std::string kName = "Vextrallis Test Pad";
const std::string kFields =
    "a:b0,b:b1,x:b2,y:b3,back:b6,start:b7,leftshoulder:b4,rightshoulder:b5,leftx:a0,lefty:a1,rightx:a3,"
    "righty:a4,lefttrigger:a2,righttrigger:a5,dpup:h0.1,dpright:h0.2,dpdown:h0.4,dpleft:h0.8,";
std::string Line(const std::string& fields, const std::string& name = kName, const std::string& guid = kGuid) {
  return guid + "," + name + "," + fields;
}

std::string& LastError() {
  static std::string text;
  return text;
}

// GLFW started with the pad connected and ended again, so no mapping carries over from one line to the next.
class WithPad {
 public:
  WithPad() {
    // GLFW names some refused lines as errors; only a failed start matters here, and says why.
    glfwSetErrorCallback([](int, const char* text) { LastError() = text; });
    glfwInitHint(GLFW_JOYSTICK_HAT_BUTTONS, GLFW_FALSE);  // as the game starts it: hats are not buttons
    ok = glfwInit() == GLFW_TRUE;
  }
  ~WithPad() { glfwTerminate(); }
  bool Recognised() { return glfwJoystickIsGamepad(GLFW_JOYSTICK_1) == GLFW_TRUE; }
  bool ok;
};

TEST(MappingRulesAgainstGlfw, ThePadIsConnectedAndUnmappedWithoutALine) {
  WithPad glfw;
  ASSERT_TRUE(glfw.ok) << LastError();
  ASSERT_TRUE(glfwJoystickPresent(GLFW_JOYSTICK_1));
  EXPECT_EQ(std::string(glfwGetJoystickGUID(GLFW_JOYSTICK_1)), kGuid);
  EXPECT_FALSE(glfw.Recognised());
  int axes = 0, buttons = 0, hats = 0;
  glfwGetJoystickAxes(GLFW_JOYSTICK_1, &axes);
  glfwGetJoystickButtons(GLFW_JOYSTICK_1, &buttons);
  glfwGetJoystickHats(GLFW_JOYSTICK_1, &hats);
  EXPECT_EQ(axes, 6);
  EXPECT_EQ(buttons, 15);
  EXPECT_EQ(hats, 1);
}

TEST(MappingRulesAgainstGlfw, TheLoaderTakesWhatGlfwTakes) {
  struct Row {
    const char* shape;
    std::string line;
    bool glfwTakes;
    bool loaderTakes;  // differs only for malformed lines the loader names
  } const rows[] = {
      {"plain, for this system", Line(kFields + "platform:Linux,"), true, true},
      {"no platform field", Line(kFields), true, true},
      {"upper-case id", Line(kFields + "platform:Linux,", kName, "03000000AA5500001122000010010000"), true, true},
      {"a hint", Line(kFields + "hint:!SDL_GAMECONTROLLER_USE_BUTTON_LABELS:=1,platform:Linux,"), true, true},
      {"a crc field", Line("crc:ba5a," + kFields + "platform:Linux,"), true, true},
      {"empty bindings", Line(kFields + "guide:,leftstick:,rightstick:,platform:Linux,"), true, true},
      {"only empty sticks", Line("a:b0,b:b1,leftx:,lefty:,platform:Linux,"), true, true},
      {"input modifiers", Line("a:b0,leftx:a0~,lefty:-a1~,lefttrigger:+a2,righttrigger:-a5,platform:Linux,"), true, true},
      {"newer elements", Line(kFields + "misc1:b14,paddle1:b13,touchpad:b12,platform:Linux,"), true, true},
      {"no trailing comma", Line(kFields + "platform:Linux"), true, true},
      {"a 127-character name", Line(kFields, std::string(127, 'n')), true, true},
      {"half-axis output +", Line("a:b0,+leftx:a0,-leftx:a1,platform:Linux,"), false, false},
      {"half-axis output -", Line("a:b0,-lefty:a1,platform:Linux,"), false, false},
      {"another system", Line(kFields + "platform:Windows,"), false, false},
      {"a third system", Line(kFields + "platform:Mac OS X,"), false, false},
      {"a 31-digit id", Line(kFields, kName, kGuid.substr(1)), false, false},
      {"a 41-digit id", Line(kFields, kName, kGuid + "000000000"), false, false},
      {"a 128-character name", Line(kFields, std::string(128, 'n')), false, false},
      {"longer than 1023 characters", Line(kFields + "hint:" + std::string(1000, 'h') + ",platform:Linux,"), false,
       false},
      // GLFW leaves such an element unbound and takes the rest; the loader names the typo instead.
      {"a source that is no button, axis or hat", Line(kFields + "guide:x5,platform:Linux,"), true, false},
      {"a field without a colon", Line(kFields + "guide,platform:Linux,"), true, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.shape);
    bool glfwTook, loaderAdded, loaderMapped;
    {
      WithPad glfw;
      ASSERT_TRUE(glfw.ok) << LastError();
      glfwUpdateGamepadMappings(row.line.c_str());
      glfwTook = glfw.Recognised();
    }
    {
      WithPad glfw;
      ASSERT_TRUE(glfw.ok) << LastError();
      loaderAdded = glfw2_AddGamepadMappings(row.line.data(), row.line.size(), "the table", nullptr) == 1;
      loaderMapped = glfw.Recognised();
    }
    EXPECT_EQ(glfwTook, row.glfwTakes);
    EXPECT_EQ(loaderAdded, row.loaderTakes);
    EXPECT_EQ(loaderMapped, loaderAdded) << "the loader's count and GLFW's pad disagree";
  }
}

}  // namespace
