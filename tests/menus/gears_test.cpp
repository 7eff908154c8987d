// The options gears look the same wherever they are drawn (title hub, options box, pause menu): one gear
// train turning with m_GearAngle, each gear against its neighbour and twice as fast.
#include "menu_fixture.h"

class GearsTest : public MenuTest {
 protected:
  struct Gears {
    float x, y, turn[3];  // turn: the angle each of frames 8, 9, 10 is drawn at
  };
  // Every set of the three gear frames in the draw list.
  std::vector<Gears> AllGears() const {
    std::vector<Gears> out;
    for (int at = 0; at + 3 * 15 <= app->m_DrawCount; at += 15) {
      const float* r = app->m_DrawList.Data() + at;
      if (r[0] != 95 || r[6] != 8 || r[15] != 95 || r[21] != 9 || r[30] != 95 || r[36] != 10) continue;
      out.push_back({r[1], r[2], {-r[3], -r[18], -r[33]}});  // records hold the negated angle
    }
    return out;
  }
  // The gears drawn at height y, all turned for the current angle.
  void ExpectOneTrainAt(float y) {
    const float g = app->m_GearAngle;
    EXPECT_GE(g, 0.0f);
    EXPECT_LT(g, 360.0f);
    bool found = false;
    for (const Gears& s : AllGears()) {
      SCOPED_TRACE(s.y);
      EXPECT_FLOAT_EQ(s.turn[0], -g);
      EXPECT_FLOAT_EQ(s.turn[1], 2 * g);
      EXPECT_FLOAT_EQ(s.turn[2], -4 * g);
      found = found || s.y == y;
    }
    EXPECT_TRUE(found) << "no gears at height " << y;
  }
};

TEST_F(GearsTest, TheTitleTheOptionsBoxAndThePauseMenuTurnOneGearTrain) {
  h->Frames(40);
  app->m_MenuFocus = 0;  // the hub: its gears turn
  h->Frames(3);
  {
    SCOPED_TRACE("title");
    ExpectOneTrainAt(float(int(rt_Quorva_jscrh - 64.0f - 8.0f * float(app->m_MenuSlide))));
  }
  app->m_GearAngle = 359.9f;  // the next step wraps
  app->m_OptionsOpen = 1;
  h->Frames(35);
  {
    SCOPED_TRACE("options box");
    ExpectOneTrainAt(60.0f);
  }
  app->m_OptionsOpen = 0;
  h->Frames(35);
  app->m_MenuFocus = 1;
  StartWithEnter();
  h->Frames(5);
  PauseFully();
  {
    SCOPED_TRACE("pause menu");
    ExpectOneTrainAt(296.0f);
  }
}
