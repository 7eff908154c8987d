// Numeric helpers the game's sources share: degrees to radians (the game's angles are degrees) and
// clamping into a range.
#pragma once

constexpr float kDegToRad = 0.017453292f;

inline float Clamp(float v, float lo, float hi) { return v < lo ? lo : (v > hi ? hi : v); }
