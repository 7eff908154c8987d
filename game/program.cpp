// The program: the first values of every module global (rtInit), the game's tables, the root marking the
// collector starts each cycle from, and rtMain, which makes the game object and registers it.
#include "app/app.h"
#include "audio/audio.h"
#include "game/myapp.h"
#include "graphics/graphics.h"
#include "input/input.h"
#include "net/async_event.h"

int rt_Quorva_isOuya = 0;
int rt_Quorva_OnScreenControls = 0;
int rt_Quorva_AccelerometerControls = 0;
int rt_Quorva_J_On_Allow = 0;
int rt_Quorva_J_On_Able = 0;
int rt_Quorva_GameNum = 415;
int rt_Quorva_UseHDImages = 1;
int rt_Quorva_HasMusicStream = 1;
int rt_Quorva_DebugMode = 0;
int rt_Quorva_iCadeControls = 0;
float rt_Quorva_overscan = 0.0f;
float rt_Quorva_rawscrw = 640.0f;
float rt_Quorva_rawscrh = 480.0f;
float rt_Quorva_jscrw = 640.0f;
float rt_Quorva_jscrh = 480.0f;
Array<String> rt_Quorva_MenuSet;
Array<String> rt_Quorva_CreditText;
uint32_t rt_random_Seed = 1234;

namespace {

// Name and description of each difficulty; the line feed separates the description's two lines.
const char* const kMenuSet[6] = {
    "Easy", "Easiest mode\nNice and Easy.",
    "Normal", "Just right!\nTough, but not hard.",
    "Hard", "Maybe TOO hard!\nIf you like it like that",
};

// The credit roll, 57 lines; the roll never shows the last one.
const char* const kCredits[57] = {
    "",                                 // 0
    "A Game by",                        // 1
    "The Vextrallis Project",           // 2
    "vextrallis.invalid",               // 3
    "",                                 // 4
    "-=-=-",                            // 5
    "",                                 // 6
    "Developed using",                  // 7
    "C++17 on its own small runtime",   // 8
    "GLFW, OpenGL and OpenAL",          // 9
    "",                                 // 10
    "-=-=-",                            // 11
    "",                                 // 12
    "Graphics",                         // 13
    "",                                 // 14
    "Most graphics by",                 // 15
    "the Vextrallis art generator",     // 16
    "",                                 // 17
    "Font : Pelmar",                    // 18
    "drawn in code for Vextrallis",     // 19
    "Lowercase added by",               // 20
    "the Vextrallis glyph generator",   // 21
    "",                                 // 22
    "",                                 // 23
    "-=-=-",                            // 24
    "",                                 // 25
    "Audio",                            // 26
    "",                                 // 27
    "Sound and Music by",               // 28
    "the Vextrallis sound generator",   // 29
    "synthesised waveforms",            // 30
    "cairo and FreeType",               // 31
    "libvorbis",                        // 32
    "the stb decoders",                 // 33
    "or whatever else",                 // 34
    "was handy!",                       // 35
    "",                                 // 36
    "-=-=-",                            // 37
    "",                                 // 38
    "",                                 // 39
    "Hello to",                         // 40
    "everyone who plays Vextrallis",    // 41
    "",                                 // 42
    "Thanks to",                        // 43
    "the GLFW project",                 // 44
    "the Mesa project",                 // 45
    "OpenAL Soft",                      // 46
    "the stb libraries",                // 47
    "cairo",                            // 48
    "FreeType",                         // 49
    "the Vorbis codec",                 // 50
    "Debian",                           // 51
    "And everyone Else",                // 52
    "who made the tools",               // 53
    "",                                 // 54
    "-=-=-",                            // 55
    "End",                              // 56
};

Array<String> StringTable(const char* const* lines, int count) {
  Array<String> table(count);
  for (int i = 0; i < count; ++i) table[i] = String(lines[i]);
  return table;
}

}  // namespace

void rtMarkRoots() {
  gc_queue(rt_app__app);
  gc_queue(rt_app__delegate);
  gc_queue(rt_graphics_device);
  gc_queue(rt_graphics_context);
  gc_queue(rt_graphics_renderDevice);
  gc_queue(rt_audio_device);
  gc_queue(rt_input_device);
  gc_queue(rt_app__displayModes.GetRep());
  gc_queue(rt_app__desktopMode);
  rt_asyncevent_MarkRoots();
  gc_queue(rt_Quorva_MenuSet.GetRep());
  gc_queue(rt_Quorva_CreditText.GetRep());
}

void rtInit() {
  rt_app__app = nullptr;
  rt_app__delegate = nullptr;
  rt_graphics_device = nullptr;
  rt_app__game = RtGame::_game;
  gc_assign(rt_graphics_context, (new c_GraphicsContext)->m_new());
  rt_audio_device = nullptr;
  rt_input_device = nullptr;
  rt_app__devWidth = 0;
  rt_app__devHeight = 0;
  gc_assign(rt_app__displayModes, Array<c_DisplayMode*>());
  rt_app__desktopMode = nullptr;
  rt_graphics_renderDevice = nullptr;
  rt_Quorva_isOuya = 0;
  rt_Quorva_overscan = 0.0f;
  rt_Quorva_J_On_Allow = 0;
  rt_Quorva_GameNum = 415;
  gc_assign(rt_asyncevent__sources, (new c_Stack3)->m_new());
  rt_app__updateRate = 0;
  rt_Quorva_UseHDImages = 1;
  rt_Quorva_DebugMode = 0;
  rt_Quorva_rawscrw = 640.0f;
  rt_Quorva_rawscrh = 480.0f;
  rt_Quorva_jscrw = 640.0f;
  rt_Quorva_jscrh = 480.0f;
  rt_Quorva_iCadeControls = 0;
  rt_asyncevent__current = nullptr;
  rt_Quorva_HasMusicStream = 1;
  gc_assign(rt_Quorva_MenuSet, StringTable(kMenuSet, 6));
  gc_assign(rt_Quorva_CreditText, StringTable(kCredits, 57));
  rt_random_Seed = 1234;
  rt_Quorva_OnScreenControls = 0;
  rt_Quorva_AccelerometerControls = 0;
  rt_Quorva_J_On_Able = 0;
  gc_mark_roots = rtMarkRoots;
}

int rtMain() {
  (new c_MyApp)->m_new();
  return 0;
}
