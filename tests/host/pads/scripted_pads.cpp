// The scripted joystick source of scripted_pads.h.
#include "scripted_pads.h"

namespace {

ScriptedPads g_pads;

const ScriptedPad* Pad(int jid) {
  return jid >= 0 && jid < 16 && g_pads.pads[jid].present ? &g_pads.pads[jid] : nullptr;
}

int Present(int jid) { return Pad(jid) != nullptr; }

const float* Axes(int jid, int* count) {
  const ScriptedPad* p = Pad(jid);
  *count = p ? p->axisCount : 0;
  return p ? p->axes : nullptr;
}

const unsigned char* Buttons(int jid, int* count) {
  const ScriptedPad* p = Pad(jid);
  *count = p ? p->buttonCount : 0;
  return p ? p->buttons : nullptr;
}

const unsigned char* Hats(int jid, int* count) {
  const ScriptedPad* p = Pad(jid);
  *count = p ? p->hatCount : 0;
  return p ? p->hats : nullptr;
}

int IsGamepad(int jid) {
  const ScriptedPad* p = Pad(jid);
  return p && p->mapped;
}

int GetGamepadState(int jid, GamepadState* state) {
  if (!IsGamepad(jid)) return 0;
  *state = g_pads.pads[jid].state;
  return 1;
}

int UpdateGamepadMappings(const char* text) {
  g_pads.mappingsFed.push_back(text);
  return !g_pads.refuseMappings;
}

const JoystickSource kScripted = {Present, Axes, Buttons, Hats, IsGamepad, GetGamepadState, UpdateGamepadMappings};

}  // namespace

ScriptedPads& scriptedPads() { return g_pads; }

void scriptedPads_Install() {
  g_pads = ScriptedPads();
  glfw2_SetJoystickSource(&kScripted);
}

void scriptedPads_Uninstall() { glfw2_SetJoystickSource(nullptr); }
