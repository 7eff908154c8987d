// The drawing toolkit: state setters, the palette, the record writers and their limit, text layout with
// spacing, alignment, line breaks and icon escapes, and number padding.
#include "game_fixture.h"

class ToolkitTest : public GameShellTest {
 protected:
  void SetUp() override {
    GameShellTest::SetUp();
    app->p_CLS2D(kNoValue, 0, 0, 0);
  }
};

TEST_F(ToolkitTest, SettersKeepWhatIsNotGiven) {
  app->p_SetSize(2);
  EXPECT_EQ(app->m_SizeX, 2.0f);
  EXPECT_EQ(app->m_SizeY, 2.0f);
  app->p_SetSize(2, 3);
  EXPECT_EQ(app->m_SizeY, 3.0f);

  app->p_Alpha(0.7f);
  app->p_SetCol(10, 20, 30);
  EXPECT_EQ(app->m_Alpha, 0.7f);
  EXPECT_EQ(app->m_ColB, 30.0f);
  app->p_SetCol(10, 20, 30, 0.5f);
  EXPECT_EQ(app->m_Alpha, 0.5f);

  app->p_SetRot(30);
  EXPECT_EQ(app->m_Rot, -30.0f);

  // A clear colour below the marker is not applied; the state is reset and the list emptied either way.
  app->p_CLS2D(1, 2, 3, 0.25f);
  EXPECT_EQ(app->m_ClsB, 3.0f);
  app->p_Rect(0, 0, 1, 1);
  app->p_CLS2D(kNoValue, 9, 9, 9);
  EXPECT_EQ(app->m_ClsB, 3.0f);
  EXPECT_EQ(app->m_DrawCount, 0);
  EXPECT_EQ(app->m_SizeX, 1.0f);
  EXPECT_EQ(app->m_Rot, 0.0f);
  EXPECT_EQ(app->m_Blend, 1);
}

TEST_F(ToolkitTest, PaletteColours) {
  struct Case {
    int index;
    float brightness;
    float r, g, b;
    int ir, ig, ib;
  } cases[] = {
      {2, 1, 255, 127.5f, 25.5f, 255, 127, 25},
      {9, 2, 255, 255, 255, 255, 255, 255},
      {7, 1, 127.5f, 25.5f, 255, 127, 25, 255},
      {0, 1, 76.5f, 76.5f, 76.5f, 76, 76, 76},
      {10, 1, 76.5f, 76.5f, 76.5f, 76, 76, 76},
      {-3, 1, 76.5f, 76.5f, 76.5f, 76, 76, 76},
      {1, -1, 0, 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    app->p_SetCol(1, 2, 3);
    app->p_GetInk(c.index, c.brightness);
    EXPECT_EQ(app->m_ColR, 1.0f) << "p_GetInk leaves the drawing colour alone";
    EXPECT_EQ(app->m_Tmp, c.ir);
    EXPECT_EQ(app->m_InkG, c.ig);
    EXPECT_EQ(app->m_InkB, c.ib);
    app->p_Ink(c.index, c.brightness);
    EXPECT_FLOAT_EQ(app->m_ColR, c.r);
    EXPECT_FLOAT_EQ(app->m_ColG, c.g);
    EXPECT_FLOAT_EQ(app->m_ColB, c.b);
  }
}

TEST_F(ToolkitTest, RecordsCarryTheDrawingState) {
  app->p_SetSize(2, 3);
  app->p_SetRot(45);
  app->p_SetCol(10, 20, 30, 0.5f);
  app->m_Blend = 3;
  app->p_DrawImg(7, 100, 50, 4);
  app->p_Oval(5, 6, 7, 8);
  const float* r = app->m_DrawList.Data();
  const float image[] = {7, 100, 50, -45, 2, 3, 4, 0.5f};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(r[i], image[i]) << "slot " << i;
  EXPECT_EQ(r[10], 10.0f);
  EXPECT_EQ(r[12], 30.0f);
  EXPECT_EQ(r[13], 3.0f);
  const float oval[] = {-3716, 5, 6, -45, 7, 8, 0, 0.5f};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(r[15 + i], oval[i]) << "slot " << i;
  EXPECT_EQ(app->m_DrawCount, 30);
}

TEST_F(ToolkitTest, TheListHoldsOneRecordLessThanItsRoom) {
  for (int i = 0; i < 2498; ++i) app->p_Line(0, 0, 1, 1);
  EXPECT_EQ(app->m_DrawCount, 37470);
  app->p_Rect(1, 2, 3, 4);  // the 2499th record
  EXPECT_EQ(app->m_DrawCount, 37485);
  EXPECT_EQ(app->m_DrawList[37470], kDrawRect);
  app->p_Rect(9, 9, 9, 9);
  app->p_DrawImg(1, 0, 0, 0);
  app->p_Text(0, 0, String("dropped"), 0, 0, 0);
  EXPECT_EQ(app->m_DrawCount, 37485);
  EXPECT_EQ(app->m_DrawList[37485], 0.0f);
}

// The font has a 7-pixel advance and a 10-pixel line (m_ImageInfo of slot 90).
TEST_F(ToolkitTest, TextSpansFromTheLeadingSpaceToTheLastCharacter) {
  ASSERT_EQ(app->m_FontSlot, 90);
  struct Case {
    float alignX, alignY;
    float firstX, y;
  } cases[] = {
      {0, 0, 107, 55},   // span starts at x; top edge on y
      {1, 1, 100, 50},   // centred on x (span 14 wide from the leading space); centre line on y
      {2, 2, 93, 45},    // ends at x; bottom edge on y
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.alignX);
    app->p_CLS2D(kNoValue, 0, 0, 0);
    app->p_Text(100, 50, String("AB"), c.alignX, c.alignY, 0);
    auto recs = ImageRecords();
    ASSERT_EQ(recs.size(), 2u);
    EXPECT_EQ(recs[0].slot, 90);
    EXPECT_EQ(recs[0].frame, 'A' - 32);
    EXPECT_FLOAT_EQ(recs[0].x, c.firstX);
    EXPECT_FLOAT_EQ(recs[1].x, c.firstX + 7);
    EXPECT_FLOAT_EQ(recs[0].y, c.y);
  }
}

TEST_F(ToolkitTest, TextSpacingAndFontOffset) {
  // "m" is 2 wider, "i" 3 narrower; a space advances without drawing; the offset picks another slot.
  app->p_Text(0, 0, String("mi x"), 0, 0, 1);
  auto recs = ImageRecords();
  ASSERT_EQ(recs.size(), 3u);
  EXPECT_EQ(recs[0].slot, 91);
  EXPECT_FLOAT_EQ(recs[0].x, 7);
  EXPECT_FLOAT_EQ(recs[1].x, 7 + 9);
  EXPECT_FLOAT_EQ(recs[2].x, 7 + 9 + 4 + 7);
}

TEST_F(ToolkitTest, BackslashNStartsALineOneGlyphLower) {
  app->p_Text(0, 0, String("AB\\nCD"), 0, 0, 0);
  auto recs = ImageRecords();
  ASSERT_EQ(recs.size(), 4u) << "the backslash and the n are not drawn";
  const float y0 = recs[0].y;
  EXPECT_FLOAT_EQ(recs[2].x, recs[0].x);
  EXPECT_FLOAT_EQ(recs[3].x, recs[1].x);
  EXPECT_FLOAT_EQ(recs[2].y, y0 + 10);
  EXPECT_FLOAT_EQ(recs[1].y, y0);
}

TEST_F(ToolkitTest, RotatedTextRunsAlongTheAngle) {
  app->p_SetRot(90);
  app->p_Text(0, 0, String("AB"), 0, 0, 0);
  auto recs = ImageRecords();
  ASSERT_EQ(recs.size(), 2u);
  // Turned by 90 degrees (clockwise on the screen, as the glyphs turn) the pen moves down.
  EXPECT_NEAR(recs[1].x - recs[0].x, 0, 1e-4);
  EXPECT_NEAR(recs[1].y - recs[0].y, 7, 1e-4);
}

TEST_F(ToolkitTest, IconEscapesByControlMode) {
  struct Case {
    int mode, ms, frame;
  } cases[] = {
      {0, 10000, 112},  // the alternate icon set
      {1, 10100, 109},  // pressed for the first 200 ms of every 500
      {1, 10300, 96},
      {1, 10499, 96},
      {2, 10100, 96},   // touch: never blinks
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ms);
    app->m_ControlMode = c.mode;
    h->SetMillis(c.ms);
    app->p_CLS2D(kNoValue, 0, 0, 0);
    app->p_Text(0, 0, Units({172, 'J'}), 0, 0, 0);
    auto recs = ImageRecords();
    ASSERT_EQ(recs.size(), 1u);
    EXPECT_EQ(recs[0].frame, c.frame);
  }
  // A letter without a blinking frame, and one outside the table (its own code is the frame).
  app->m_ControlMode = 1;
  h->SetMillis(10100);
  app->p_CLS2D(kNoValue, 0, 0, 0);
  app->p_Text(0, 0, Units({172, 'Q', 172, 'Z'}), 0, 0, 0);
  auto recs = ImageRecords();
  ASSERT_EQ(recs.size(), 2u);
  EXPECT_EQ(recs[0].frame, 102);
  EXPECT_EQ(recs[1].frame, 'Z');
  EXPECT_FLOAT_EQ(recs[1].x - recs[0].x, 7 + 4) << "an icon advances 4 more than a plain glyph";
}

TEST_F(ToolkitTest, NumbersArePaddedOnTheLeft) {
  struct Case {
    int value, digits;
    const char* pad;
    const char* want;
  } cases[] = {
      {42, 5, "0", "00042"}, {123456, 3, "0", "456"}, {7, 3, "0", "007"},
      {1234, 3, " ", "234"}, {-5, 4, "0", "00-5"},    {12, 3, "", "12"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(app->p_rstr(c.value, c.digits, String(c.pad)), String(c.want)) << c.want;
  }
  EXPECT_EQ(app->p_rstr2(42, String("0")), String("00000042"));
}
