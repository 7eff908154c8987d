// Frame timing shared by the update and the render: frames per second and a running average.
#pragma once

// With a clock that moved on: fps = 1000 / elapsed and avg = (fps + 9 avg) / 10, both truncated.
inline void rt_Quorva_Tick(int now, int& lastMs, int& fps, int& fpsAvg) {
  if (now > lastMs) {
    fps = int(1000.0f / float(now - lastMs));
    fpsAvg = int((float(fps) + 9.0f * float(fpsAvg)) / 10.0f);
    lastMs = now;
  }
}
