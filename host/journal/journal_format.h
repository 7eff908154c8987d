// The session journal's byte format, shared by the writer, the reader and the recording and replaying
// backends: the header's magic and version, and one code per backend call or delivered event.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace journal {

constexpr char kMagic[8] = {'V', 'X', 'J', 'O', 'U', 'R', 'N', '\n'};
constexpr uint16_t kVersion = 1;

// Limits a reader enforces, so a damaged length cannot make it read or reserve without end.
constexpr uint32_t kMaxText = 1024;                 // build identity, settings, window title
constexpr uint32_t kMaxSettings = 16;
constexpr uint32_t kMaxStateBytes = 64u << 20;      // the starting state file
constexpr uint32_t kMaxArray = 4096;                // joystick axes and buttons, video modes

// One record per backend call, in the order the game made them. Arguments follow the code, then the
// results the game received. Ints are zigzag varints; times are 8-byte and axes 4-byte IEEE values,
// little-endian.
enum Op : uint8_t {
    kInit = 1,             // -> result
    kTerminate = 2,
    kOpenWindow = 3,       // width height r g b a depth stencil mode -> result
    kOpenWindowHint = 4,   // target hint
    kCloseWindow = 5,
    kGetWindowParam = 6,   // param -> value
    kSetWindowTitle = 7,   // length bytes
    kSetWindowPos = 8,     // x y
    kGetWindowSize = 9,    // -> width height
    kSwapBuffers = 10,     // running draw-list hash (8 bytes); then events and kEventsDone
    kSwapInterval = 11,    // interval
    kPollEvents = 12,      // then events and kEventsDone
    kWaitEvents = 13,      // then events and kEventsDone
    kEnable = 14,          // token
    kDisable = 15,         // token
    kGetKey = 16,          // key -> state
    kGetMouseButton = 17,  // button -> state
    kGetMousePos = 18,     // -> x y
    kSetKeyCallback = 19,  // installed (0 or 1), likewise the next four
    kSetCharCallback = 20,
    kSetMouseButtonCallback = 21,
    kSetMousePosCallback = 22,
    kSetWindowCloseCallback = 23,
    kGetJoystickParam = 24,    // joy param -> value
    kGetJoystickPos = 25,      // joy count -> result, count axes
    kGetJoystickButtons = 26,  // joy count -> result, count bytes
    kGetDesktopMode = 27,      // -> width height red green blue
    kGetVideoModes = 28,       // maxCount -> n, n modes of 5 ints
    kGetTime = 29,             // -> seconds
    kSleep = 30,               // seconds
    kSaveState = 31,           // -> result (0 stored, negative not)

    // Events the backend delivered through the game's callbacks, where they happened.
    kEventKey = 40,          // key action
    kEventChar = 41,         // character action
    kEventMouseButton = 42,  // button action
    kEventMousePos = 43,     // x y
    kEventWindowClose = 44,
    kEventsDone = 45,  // closes a SwapBuffers, PollEvents or WaitEvents; frames end at a SwapBuffers' close

    kEnd = 50,  // the process ended; nothing follows
};

// What a journal holds before its records.
struct Header {
  int version = kVersion;
  std::string build;                                          // identity of the build that recorded it
  std::vector<std::pair<std::string, std::string>> settings;  // environment switches the game reads
  bool hasState = false;                                      // a state file existed at the start
  std::string state;                                          // its bytes
};

// How many elements of a call's result array a journal keeps (the count asked, bounded); 0 without an array.
inline int KeptCount(const void* array, int count) {
  if (!array || count <= 0) return 0;
  return count < int(kMaxArray) ? count : int(kMaxArray);
}

inline bool IsEvent(int op) { return op >= kEventKey && op <= kEventWindowClose; }
inline bool DeliversEvents(int op) { return op == kSwapBuffers || op == kPollEvents || op == kWaitEvents; }

// Clock readings a journal may hold: finite and small enough that milliseconds fit an int.
constexpr double kMaxTime = 2.0e6;

// The name of a record code in messages ("GetKey"), or "unknown".
const char* OpName(int op);
// The letters of a record's payload (see journal_format.cpp), or null for an unknown code.
const char* OpShape(int op);

// Text read from a journal, fit for a message on a terminal: printable ASCII as it is, every other byte
// (control characters, escape sequences, broken UTF-8) as \xNN, a backslash as \\.
std::string Printable(const std::string& bytes);

}  // namespace journal
