// Joysticks of the GLFW 3 backend as the 2.7 API reports them (host/pads/glfw2_joysticks.cpp), read through the
// joystick seam of host/joystick_source.h. Plain ints, so it can be included next to either GLFW header.
#pragma once

// GLFW_PRESENT, GLFW_AXES or GLFW_BUTTONS of joystick `joy` (0..15); 0 for an absent joystick.
int glfw2_JoystickParam(int joy, int param);
// Fills pos[0..numAxes) (unreported axes 0.0) and returns the number of axes written.
// A recognised pad gives 5 axes: left x, left y (up positive), left trigger minus right trigger (each
// 0..1), right y (up positive), right x. Other joysticks give their axes as reported, with axis 1 negated
// so that up is positive.
int glfw2_JoystickPos(int joy, float* pos, int numAxes);
// Fills buttons[0..numButtons) (unreported ones released) and returns the number written.
// A recognised pad gives 14 buttons: A, B, X, Y, left and right shoulder, back, start, left and right
// thumb, then the d-pad as left, up, right, down. Other joysticks give their buttons as reported, then
// each hat as the four buttons left, up, right, down.
int glfw2_JoystickButtons(int joy, unsigned char* buttons, int numButtons);
