// The two states the kill tests save in turn, and what loading a state file prints.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "game/myapp.h"

// Two states that differ in every section (settings, badges, each difficulty's lists).
inline void FillState(c_MyApp* app, int variant) {
  for (int i = 0; i < 25; ++i) app->m_Options[i] = variant ? i % 3 : 0;
  app->m_Options[5] = variant ? 2 : 1;
  for (int i = 0; i < 256; ++i) app->m_Badges[i] = ((i * 7 + variant) % 5) == 0;
  for (int i = 0; i < 60; ++i) app->m_HiScores[i] = variant ? 100000 - 37 * i : 500 + 11 * i;
}

inline std::string LoadMessages(c_MyApp* app) {
  testing::internal::CaptureStdout();
  app->p_Load();
  return testing::internal::GetCapturedStdout();
}
