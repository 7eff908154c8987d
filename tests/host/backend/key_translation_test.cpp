// GLFW 3 key codes become 2.7 key numbers, and the way back (used by glfwGetKey) agrees with it.
#include "host/backend/glfw2_adapter.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

namespace {

TEST(Glfw2Keys, Glfw3KeysBecome27Numbers) {
    struct Case { int glfw3, key27; };
    const Case cases[] = {
        {GLFW_KEY_ESCAPE, 257}, {GLFW_KEY_F1, 258},        {GLFW_KEY_F25, 282},       {GLFW_KEY_UP, 283},
        {GLFW_KEY_DOWN, 284},   {GLFW_KEY_LEFT, 285},      {GLFW_KEY_RIGHT, 286},     {GLFW_KEY_LEFT_SHIFT, 287},
        {GLFW_KEY_RIGHT_CONTROL, 290}, {GLFW_KEY_TAB, 293}, {GLFW_KEY_ENTER, 294},    {GLFW_KEY_BACKSPACE, 295},
        {GLFW_KEY_DELETE, 297}, {GLFW_KEY_PAGE_DOWN, 299}, {GLFW_KEY_END, 301},       {GLFW_KEY_KP_0, 302},
        {GLFW_KEY_KP_9, 311},   {GLFW_KEY_KP_DIVIDE, 312}, {GLFW_KEY_KP_DECIMAL, 316}, {GLFW_KEY_KP_EQUAL, 317},
        {GLFW_KEY_KP_ENTER, 318}, {GLFW_KEY_NUM_LOCK, 319}, {GLFW_KEY_MENU, 325},
        {GLFW_KEY_A, 65},       {GLFW_KEY_Z, 90},          {GLFW_KEY_0, 48},          {GLFW_KEY_SPACE, 32},
        {GLFW_KEY_APOSTROPHE, '\''}, {GLFW_KEY_SLASH, '/'}, {GLFW_KEY_BACKSLASH, '\\'}, {GLFW_KEY_GRAVE_ACCENT, '`'},
        // Keys without a 2.7 number are not reported.
        {GLFW_KEY_PRINT_SCREEN, -1}, {GLFW_KEY_WORLD_1, -1}, {GLFW_KEY_UNKNOWN, -1}, {10000, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(glfw2_KeyFromGlfw3(c.glfw3), c.key27) << "GLFW 3 key " << c.glfw3;
}

TEST(Glfw2Keys, WayBackAgreesForEveryKey) {
    int mapped = 0;
    for (int k3 = -1; k3 <= GLFW_KEY_LAST; k3++) {
        int k2 = glfw2_KeyFromGlfw3(k3);
        if (k2 < 0) continue;
        mapped++;
        EXPECT_EQ(glfw2_KeyToGlfw3(k2), k3) << "2.7 key " << k2;
    }
    EXPECT_EQ(mapped, 48 + (325 - 256));  // the printable keys and every 2.7 special key 257..325
    for (int k2 : {-1, 0, int('a'), 326, 1 << 20}) EXPECT_EQ(glfw2_KeyToGlfw3(k2), -1) << k2;
}

}  // namespace
