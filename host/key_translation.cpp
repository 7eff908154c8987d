// Translation of GLFW 2.7 key numbers into runtime key codes (numbered as Windows virtual keys), and the
// character that a control key types along with its KeyDown.
#include "host/host.h"

#include "host/backend/glfw2.h"  // Required for: the 2.7 key numbers

namespace {

constexpr int kFirstKey = GLFW_KEY_SPACE;
constexpr int kLastKey = GLFW_KEY_KP_DECIMAL;

// One byte per 2.7 key number kFirstKey..kLastKey; 0 means the key is ignored.
struct KeyTable {
  unsigned char code[kLastKey - kFirstKey + 1] = {};

  constexpr void Set(int key, int value) { code[key - kFirstKey] = (unsigned char)value; }

  constexpr KeyTable() {
    Set(' ', 32);
    Set('"', 222);
    Set('\'', 222);
    Set(',', 188);
    Set('-', 189);
    Set('.', 190);
    Set('/', 191);
    Set(';', 186);
    Set('=', 187);
    Set('[', 219);
    Set('\\', 220);
    Set(']', 221);
    Set('`', 192);
    Set('~', 192);
    Set(GLFW_KEY_ESC, 27);
    for (int i = 0; i < 12; ++i) Set(GLFW_KEY_F1 + i, 112 + i);
    Set(GLFW_KEY_UP, 38);
    Set(GLFW_KEY_DOWN, 40);
    Set(GLFW_KEY_LEFT, 37);
    Set(GLFW_KEY_RIGHT, 39);
    Set(GLFW_KEY_LSHIFT, 16);
    Set(GLFW_KEY_RSHIFT, 16);
    Set(GLFW_KEY_LCTRL, 17);
    Set(GLFW_KEY_RCTRL, 17);
    Set(GLFW_KEY_TAB, 9);
    Set(GLFW_KEY_ENTER, 13);
    Set(GLFW_KEY_BACKSPACE, 8);
    Set(GLFW_KEY_INSERT, 45);
    Set(GLFW_KEY_DEL, 46);
    Set(GLFW_KEY_PAGEUP, 33);
    Set(GLFW_KEY_PAGEDOWN, 34);
    Set(GLFW_KEY_HOME, 36);
    Set(GLFW_KEY_END, 35);
    for (int i = 0; i < 10; ++i) Set(GLFW_KEY_KP_0 + i, 96 + i);
    Set(GLFW_KEY_KP_DIVIDE, 111);
    Set(GLFW_KEY_KP_MULTIPLY, 106);
    Set(GLFW_KEY_KP_SUBTRACT, 109);
    Set(GLFW_KEY_KP_ADD, 107);
    Set(GLFW_KEY_KP_DECIMAL, 110);
  }
};

constexpr KeyTable kKeys;

}  // namespace

int TransKey(int glfwKey) {
  // Digits and capital letters are their own virtual key codes.
  if ((glfwKey >= '0' && glfwKey <= '9') || (glfwKey >= 'A' && glfwKey <= 'Z')) return glfwKey;
  if (glfwKey < kFirstKey || glfwKey > kLastKey) return 0;
  return kKeys.code[glfwKey - kFirstKey];
}

int KeyToChar(int key) {
  switch (key) {
    case 8: case 9: case 13: case 27:  // backspace, tab, enter, escape
      return key;
    case 33: case 34: case 35: case 36: case 37: case 38: case 39: case 40: case 45:
      // Page up/down, end, home, the cursor keys and insert type private characters above 0xFFFF.
      return key + 65536;
    case 46:  // delete
      return 127;
    default:
      return 0;
  }
}
