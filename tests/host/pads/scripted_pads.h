// Joysticks as GLFW 3 reports them, scripted behind the joystick seam: raw axes, buttons (without hats)
// and hats, and for pads a mapping recognises, the mapped state. Mapping text handed to the seam is kept.
#pragma once
#include <string>
#include <vector>

#include "host/pads/joystick_source.h"

struct ScriptedPad {
  bool present = false;
  int axisCount = 0;
  float axes[8] = {};
  int buttonCount = 0;
  unsigned char buttons[32] = {};
  int hatCount = 0;
  unsigned char hats[4] = {};
  bool mapped = false;  // a mapping recognises it: `state` is what GLFW derives from the raw report
  GamepadState state = {};
};

struct ScriptedPads {
  ScriptedPad pads[16];
  std::vector<std::string> mappingsFed;  // each text handed to UpdateGamepadMappings
  bool refuseMappings = false;           // UpdateGamepadMappings answers 0
};

// The scripted world; Install resets it and routes the seam to it, Uninstall routes it back to GLFW 3.
ScriptedPads& scriptedPads();
void scriptedPads_Install();
void scriptedPads_Uninstall();
