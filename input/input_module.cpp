// The input module: the functions the game reads input through, all on the one device of rt_input_device.
#include "input/input.h"

c_InputDevice* rt_input_device = nullptr;

void rt_input_SetInputDevice(c_InputDevice* device) { gc_assign(rt_input_device, device); }

void rt_input_EnableKeyboard() { rt_input_device->p_SetKeyboardEnabled(true); }
void rt_input_DisableKeyboard() { rt_input_device->p_SetKeyboardEnabled(false); }

// The device's reads reject codes outside 1..511, which covers every derived code below.
int rt_input_KeyDown(int key) { return rt_input_device->p_KeyDown(key) ? 1 : 0; }
int rt_input_KeyHit(int key) { return rt_input_device->p_KeyHit(key); }
int rt_input_GetChar() { return rt_input_device->p_GetChar(); }

float rt_input_MouseX() { return rt_input_device->p_MouseX(); }
float rt_input_MouseY() { return rt_input_device->p_MouseY(); }
int rt_input_MouseDown(int button) { return button >= 0 && button <= 510 ? rt_input_KeyDown(button + 1) : 0; }
int rt_input_MouseHit(int button) { return button >= 0 && button <= 510 ? rt_input_KeyHit(button + 1) : 0; }

int rt_input_TouchDown(int index) { return rt_input_KeyDown(384 + index); }
float rt_input_TouchX(int index) { return rt_input_device->p_TouchX(index); }
float rt_input_TouchY(int index) { return rt_input_device->p_TouchY(index); }

int rt_input_JoyDown(int button, int unit) { return rt_input_KeyDown(button | 256 | (unit * 32)); }
int rt_input_JoyHit(int button, int unit) { return rt_input_KeyHit(button | 256 | (unit * 32)); }
float rt_input_JoyX(int index, int unit) { return rt_input_device->p_JoyX(index, unit); }
float rt_input_JoyY(int index, int unit) { return rt_input_device->p_JoyY(index, unit); }

float rt_input_AccelX() { return rt_input_device->p_AccelX(); }
float rt_input_AccelY() { return rt_input_device->p_AccelY(); }
