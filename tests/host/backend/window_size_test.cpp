// The size a windowed window takes on a monitor of a given pixel density, and which monitor holds a point.
#include "host/backend/glfw2_adapter.h"

#include <gtest/gtest.h>

namespace {

TEST(Glfw2WindowSize, GrowsWithTheMonitorsScaleAsFarAsTheRoomAllows) {
    struct Case {
        int width, height;
        float scale;
        int roomWidth, roomHeight;
        int wantWidth, wantHeight;
    } cases[] = {
        // A monitor with room to spare: the asked size times the scale.
        {640, 480, 1.0f, 1904, 1001, 640, 480},
        {640, 480, 1.5f, 1904, 1001, 960, 720},
        {640, 480, 2.0f, 2544, 1361, 1280, 960},
        {1025, 481, 1.5f, 3824, 2081, 1538, 722},  // halves round to the nearest pixel
        // Too little room for the full scale: as large as fits, in the asked proportions.
        {640, 480, 2.0f, 1904, 900, 1200, 900},
        {640, 480, 1.5f, 1350, 700, 933, 700},
        // Room even for the asked size is missing: the asked size, as on a monitor of scale 1.
        {640, 480, 2.0f, 600, 400, 640, 480},
        {640, 480, 1.0f, 600, 400, 640, 480},
        // Unknown room, or a scale below 1 (a monitor coarser than the base density), or none at all.
        {640, 480, 2.0f, 0, 0, 1280, 960},
        {640, 480, 0.75f, 1904, 1001, 480, 360},
        {640, 480, 0.0f, 1904, 1001, 640, 480},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " at " << c.scale << " in " << c.roomWidth
                                        << "x" << c.roomHeight);
        int w = -1, h = -1;
        glfw2_ScaledWindowSize(c.width, c.height, c.scale, c.roomWidth, c.roomHeight, &w, &h);
        EXPECT_EQ(w, c.wantWidth);
        EXPECT_EQ(h, c.wantHeight);
    }
}

TEST(Glfw2WindowSize, AWindowWithItsFrameIsKeptInTheWorkArea) {
    struct Case {
        int at, size, areaAt, areaSize, before, after, want;
    } cases[] = {
        {320, 640, 0, 1280, 8, 8, 320},     // inside: stays
        {35, 953, 0, 1024, 42, 5, 42},      // centred by its content, the title bar would be off the top
        {200, 953, 0, 1024, 42, 5, 66},     // the bottom of the frame past the area's: moved up
        {-12, 1025, 0, 1000, 8, 8, 8},      // larger than the area: the frame's start is kept inside
        {-2000, 640, -2560, 2560, 8, 8, -2000},  // on a monitor left of the primary one
        {-500, 640, 0, 0, 8, 8, -500},      // no work area known
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.at << " " << c.size << " in " << c.areaAt << "+" << c.areaSize);
        EXPECT_EQ(glfw2_KeepInArea(c.at, c.size, c.areaAt, c.areaSize, c.before, c.after), c.want);
    }
}

TEST(Glfw2WindowSize, TheMonitorHoldingAPointIsTheFirstWhoseAreaContainsIt) {
    // A 1920 x 1080 primary monitor with a 2560 x 1440 one to its left, its top 200 higher.
    const Glfw2Area areas[] = {{0, 0, 1920, 1080}, {-2560, -200, 2560, 1440}};
    struct Case {
        int x, y, want;
    } cases[] = {
        {960, 540, 0}, {0, 0, 0}, {1919, 1079, 0}, {-1, 0, 1}, {-2560, -200, 1},
        {1920, 500, -1},  // past the right edge
        {-100, 1240, -1},  // below the left monitor
        {100, -1, -1},     // above the primary
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(glfw2_AreaHolding(areas, 2, c.x, c.y), c.want);
    }
    EXPECT_EQ(glfw2_AreaHolding(areas, 0, 0, 0), -1);
}

}  // namespace
