// The game's module globals: build switches, the virtual screen size, the menu and credit tables and the
// random generator's state. rtInit (game/program.cpp) gives each its first value.
#pragma once
#include <cstdint>

#include "runtime/runtime.h"

// Switches that this configuration fixes at start-up and never changes.
extern int rt_Quorva_isOuya;                  // 0: no console-specific key set
extern int rt_Quorva_OnScreenControls;        // 0: no on-screen pad
extern int rt_Quorva_AccelerometerControls;   // 0: no tilt steering
extern int rt_Quorva_J_On_Allow;              // 0: the start-up web request is not sent
extern int rt_Quorva_J_On_Able;               // 0
extern int rt_Quorva_GameNum;                 // 415: the game number sent with the web request
extern int rt_Quorva_UseHDImages;             // 1
extern int rt_Quorva_HasMusicStream;          // 1

// Switched at run time.
extern int rt_Quorva_DebugMode;       // F1 toggles; 1 draws the debug line and prints the state string
extern int rt_Quorva_iCadeControls;   // 1 while iCade letters are decoded (options box)
extern float rt_Quorva_overscan;      // device pixels kept free at each edge; the loader forces 0

// Design size and the virtual screen, recomputed by every render.
extern float rt_Quorva_rawscrw;  // 640
extern float rt_Quorva_rawscrh;  // 480
extern float rt_Quorva_jscrw;    // virtual width, 640 at start
extern float rt_Quorva_jscrh;    // virtual height, 480 at start

// Name, description pairs of the three difficulties (6 strings) and the 57 credit-roll lines.
extern Array<String> rt_Quorva_MenuSet;
extern Array<String> rt_Quorva_CreditText;

// State of the game's linear congruential generator (1234 at start-up).
extern uint32_t rt_random_Seed;
// Seed = Seed * 1664525 + 1013904223; returns the top 24 bits as a float in [0, 1).
float rt_random_Rnd();
// low + (high - low) * rt_random_Rnd().
float rt_random_Rnd2(float low, float high);
// rt_random_Rnd() * range.
float rt_random_Rnd3(float range);

// The program's root marking: queues every module global that holds a collected object (the app, its
// delegate, the devices, the graphics context, the display modes, the async sources and the two tables).
// rtInit installs it as gc_mark_roots.
void rtMarkRoots();
