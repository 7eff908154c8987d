// The game record c_MyApp: every piece of game state as a field or a fixed-size array, and every method of
// the game. One source per topic implements the methods (see the signposts); the pools are allocated once
// in game/myapp.cpp and never resized.
#pragma once
#include "app/app.h"
#include "audio/audio.h"
#include "game/globals.h"
#include "graphics/graphics.h"
#include "net/http_request.h"
#include "runtime/runtime.h"

// The marker for an optional float argument that was not given, and for the position of a touch that is up.
constexpr float kNoValue = -3717.0f;

// Draw-list record kinds; an image record holds its image slot (0 or more) instead.
constexpr float kDrawRect = -3717.0f;
constexpr float kDrawOval = -3716.0f;
constexpr float kDrawLine = -3715.0f;
constexpr int kDrawRecord = 15;       // floats per draw record
constexpr int kDrawListSize = 37500;  // 2500 records
constexpr int kDrawListLast = 37484;  // a record is appended only while m_DrawCount is not above this

class c_MyApp : public c_App, public c_IOnHttpRequestComplete {
 public:
  c_MyApp();  // allocates every pool and sets the initial values
  c_MyApp* m_new();  // registers the app with the host (c_App's constructor)
  void mark() override;

  // >>record: the fields of the game record
  String m_NetReply;                      // text of the last HTTP reply, "N/A" at first
  int m_GameMode = 0;                     // 0 constructed, 1 title, 2 leaving a game, 10 game, 11 new game
  int m_LastDevWidth = 0, m_LastDevHeight = 0;  // device size seen by the last render
  float m_ClsR = 0, m_ClsG = 0, m_ClsB = 0, m_ClsA = 0;  // colour the render clears to
  float m_ImageScale = 0;                 // 1 / m_HDLevel: scale applied to image records at render
  Array<c_Image*> m_Images;               // 100 image slots
  Array<int> m_ImageInfo;                 // 300: per slot s frame width 3s, height 3s+1, frame count 3s+2
  int m_ReloadPending = 0;                // loader step to run next; 0 idle
  int m_LoadScreenArt = 0;                // 1 while the loading screen's logo and font wait for the loader
  int m_Difficulty = 0;                   // 1 Easy, 2 Normal, 3 Hard
  int m_Paused = 0;                       // 1 while the pause menu is up
  int m_I = 0;                            // shared loop counter
  Array<int> m_Options;                   // 25 settings
  Array<int> m_HiScores;                  // 150: top ten at 10(d-1), last ten at 30+10(d-1)
  Array<int> m_NoteSounds;                // 33: channel of each rotation index
  int m_RenderLastMs = 0, m_RenderFps = 0, m_RenderFpsAvg = 0;
  float m_ScaleX = 0, m_ScaleY = 0;       // device pixels per virtual pixel
  int m_Tmp = 0;                          // scratch; also the red written by p_GetInk
  int m_Landscape = 0;                    // 1 when the virtual height is not above the virtual width
  int m_DrawCount = 0;                    // floats in use in m_DrawList
  Array<float> m_DrawList;                // 37500: deferred draw records of 15 floats
  int m_HideHud = 0;                      // 1: no score display and no pause button
  int m_MusicOn = 0;                      // 1 while a tune plays
  int m_UpdLastMs = 0, m_UpdFps = 0, m_UpdFpsAvg = 0;
  int m_TouchDown = 0;                    // 1 while the left button or any touch is down
  Array<int> m_TouchOn, m_TouchX, m_TouchY;  // 10 each; positions -3717 when up
  int m_TouchHeld = 0;                    // latch: the current press has been used
  float m_Tx = 0, m_Ty = 0;               // scratch point
  Array<c_Sound*> m_Sounds;               // 100 sound slots
  int m_NoteIdx = 0;                      // rotation index used last (0..23)
  int m_J = 0, m_K = 0;                   // scratch integers
  int m_Points = 0;                       // points of the last hit
  int m_Step = 0;                         // scratch integer
  Array<float> m_Player;                  // 512: the player record
  int m_Score = 0;
  float m_ShakeX = 0, m_ShakeToX = 0, m_ShakeY = 0, m_ShakeToY = 0;
  Array<float> m_BgBoxes;                 // 50: 5 background box records
  int m_StarCount = 100;                  // last star record index
  Array<float> m_Stars;                   // 5100
  float m_AnalogX = 0, m_AnalogY = 0;     // steering input, -1..1
  int m_LineCount = 1500;                 // last fading-line record index
  Array<float> m_Lines;                   // 26000
  int m_TrailLen = 75;                    // last trail point index
  Array<float> m_Trail;                   // 5000: point i at 2i+1, 2i+2
  int m_ObjCount = 0;                     // last object record index scanned
  Array<float> m_Obj;                     // 5100
  int m_NewObj = 0;                       // element index returned by the last p_FreeObj
  int m_ParticleCount = 250;              // last particle record index
  Array<float> m_Particles;               // 5100
  static constexpr int kNumberTexts = 256;
  String m_NumberText[kNumberTexts];      // texts of the pop-up numbers 0..255, each made when first shown
  int m_HasLives = 0;                     // scratch: some reserve life is left
  Array<int> m_Lives;                     // 10: reserve-life icons 0..7, 1 = present
  int m_IconGap = 0;                      // vertical spacing of the life icons
  int m_GameOver = 0;                     // 1 once the last life is spent (or the run was quit)
  String m_TuneName;                      // tune started last
  Array<float> m_Grid;                    // 5,000,000: zeroed at each new game

  // Drawing state (toolkit).
  float m_SizeX = 0, m_SizeY = 0, m_Rot = 0;  // m_Rot holds the negated angle
  float m_ColR = 0, m_ColG = 0, m_ColB = 0, m_Alpha = 0;
  int m_Blend = 0;                        // 1 normal, 3 additive
  int m_InkG = 0, m_InkB = 0;             // green and blue of the last p_GetInk
  int m_FontSlot = 0;                     // image slot of the current font
  int m_ControlMode = 0;                  // 0 game pad, 1 keys or mouse, 2 touch

  // Assets and loader.
  int m_Fullscreen = 0;
  int m_LogoSfxDone = 0;
  int m_HDLevel = 0;                      // 1, 2 or 4
  int m_ScreenMin = 0, m_SpinAngle = 0;   // loading screen

  // Controls.
  Array<int> m_Pad;                       // 20 virtual keys; 19 counts back-key hits of this update
  int m_ICadeChar = 0;
  int m_MouseX = 0, m_MouseY = 0, m_PrevMouseX = 0, m_PrevMouseY = 0;
  int m_MouseWasDown = 0, m_MouseHit = 0;
  int m_KeyHeld = 0;                      // latch: a key press has been used
  int m_StickAnchorX = -1, m_StickAnchorY = 0;  // anchor x -1: no touch stick active
  float m_KeyRampX = 0, m_KeyRampY = 0;
  int m_ButtonHit = 0;

  // Background colour (background).
  float m_BgToR = 0, m_BgToG = 0, m_BgToB = 0, m_BgR = 0, m_BgG = 0, m_BgB = 0;
  float m_BgX = 0, m_BgY = 0, m_BgW = 0, m_BgH = 0;

  // Title menu.
  int m_MenuSel = 0;
  float m_WheelAngle = 0, m_WheelShown = 0, m_WheelSpin = 0;
  int m_MenuFocus = 1;                    // 0 options button, 1 wheel, 2 side panel
  int m_MenuSlide = 0;                    // -32..0
  float m_PanelGrow = 0, m_PanelW = 0;
  int m_ShowCredits = 0;
  float m_GearAngle = 0;
  int m_DragX = 0, m_DragY = 0;
  int m_TapLatch = 0;
  float m_CreditScroll = 0;
  String m_DescSource[3], m_DescShown[3];  // each difficulty's description and its copy laid out for text
  int m_CreditLine = 0;

  // Options box.
  int m_OptionsOpen = 0;
  int m_OptSlide = 0;                     // 0..30
  int m_OptRow = 0, m_OptKeyHeld = 0, m_OptTouchHeld = 0;

  // Pause menu.
  int m_PauseY = 0, m_PauseDir = 0, m_PauseCursor = 0;
  float m_PauseSpin = 25.0f, m_PauseArm = 25.0f;
  float m_PauseA1 = 0, m_PauseA2 = 0, m_PauseHue = 0;
  Array<float> m_PauseTrail;              // 512: point i at 2i, 2i+1
  int m_PauseBase = -1;                   // floats of the frozen play frame kept under the menu; -1 none yet

  // Score display and game over.
  int m_ShownScore = 0;
  String m_ScoreText, m_PlaceText;        // the display's texts, remade only when their numbers change
  int m_ScoreTextOf = -1;                 // the score m_ScoreText shows
  int m_PlaceTextOf = -1, m_PlaceTextTarget = -1;  // the place and score m_PlaceText shows
  int m_QuitRun = 0;                      // -1 when the run was quit from the pause menu
  int m_GameOverTimer = 0;
  int m_NthPlace = 0;                     // place found by the last p_MyNth (1..10, 0 none)

  // Badges.
  Array<bool> m_Badges;                   // 256 flags
  Array<int> m_BadgeNoteId, m_BadgeNoteTime;  // 15 each
  int m_BadgeNoteW = 0;

  // The notice that the state file cannot be written, shown once, the first time a save fails.
  int m_SaveFailed = 0;                   // 1 once a save has failed in this session
  int m_SaveNoteTime = 0;                 // updates the notice has been up; 0 while it is not shown
  String m_SaveNoteText;                  // made when the notice first shows

  // Start-up web request.
  c_HttpRequest* m_HttpRequest = nullptr;  // the current request
  int m_HttpDone = 0;                     // 1 once the current request completed

  // >>app: framework callbacks (each returns 0)
  int p_OnCreate() override;     // assets.cpp
  int p_OnSuspend() override;    // persistence.cpp
  int p_OnResume() override;     // persistence.cpp
  int p_OnUpdate() override;     // frame_loop.cpp
  int p_OnRender() override;     // render.cpp
  int p_OnHttpRequestComplete(c_HttpRequest* request) override;  // web_request.cpp

  // >>frame: frame loop and game set-up (frame_loop.cpp)
  int p_Game();
  int p_InGame();
  int p_LoadGame();
  int p_FlushGame();
  int p_ResetObj();
  int p_ResetGrid();
  int p_ResetParticles(int n);
  int p_ResetPlayers();
  int p_DispatchMode();  // mode handler, game-over overlay rule and the easing that runs in every mode

  // >>toolkit: deferred drawing and text (toolkit.cpp)
  int p_ResetDraw();
  int p_CLS2D(float r, float g, float b, float a);
  int p_SetSize(float sx, float sy = kNoValue);
  int p_SetRot(float angle);
  int p_Alpha(float a);
  int p_SetCol(float r, float g, float b, float a = kNoValue);
  int p_Ink(int c, float brightness);
  int p_GetInk(int c, float brightness);
  int p_DrawImg(int slot, float x, float y, float frame);
  int p_Rect(float x, float y, float w, float h);
  int p_Oval(float x, float y, float rx, float ry);
  int p_Line(float x1, float y1, float x2, float y2);
  int p_Text(float x, float y, String s, float alignX, float alignY, int fontOffset);
  String p_rstr(int value, int digits, String pad);
  String p_rstr2(int value, String pad);  // p_rstr with 8 digits, the count of the score display

  // >>assets: start-up, images and the stepwise loader (assets.cpp, loader.cpp)
  int p_Reload();
  int p_Loader();
  int p_WaitStart(int mode);
  int p_LoadImg(int slot, String name, int w, int h, int frames, int flags);
  int p_LoadFont(int slot, String name, int gw, int gh);
  int p_ReserveImg(int slot, int w, int h);
  int p_FullscreenFlip();
  int p_ChooseLevel();   // m_HDLevel and m_ImageScale from the device size
  String p_ImgSuffix();  // "", "-hd" or "-hd2" for the current level

  // >>audio: effects and music (game_audio.cpp)
  int p_LoadSFX(int n);
  int p_PlaySFX(int n, float rate, float volume, float pan);
  int p_PlaySFX(int n, float rate);  // volume 1, pan 0
  int p_PlayTune(String name, int flags);
  int p_StopTune();

  // >>controls: buttons, pointer and steering (controls.cpp)
  int p_PlayKey(int code, int useStick, int unit);
  int p_PlayKeyAll(int code, int useStick);
  int p_AnyPad(int code);    // 1 while the button is held on any pad, the stick counting as a direction
  float p_StickX(int index, int unit);
  float p_StickY(int index, int unit);
  int p_iCade(int mode);
  int p_ICadeDecode();       // takes the waiting characters through the iCade letter table
  int p_PointerSnapshot();   // the per-update pointer snapshot
  int p_AnalogueControl();
  int p_Button(int slot, float x, float y, int frame);
  int p_Button0(int slot, float x, float y, int frame);
  int p_Touch(float x, float y, float w, float h);
  int p_MouseIn(float x, float y, float w, float h);
  int p_MouseIn_Centered(float x, float y, float w, float h);
  int p_MouseIn_Radius(float x, float y, float w, float h);

  // >>persistence: the state string (persistence.cpp)
  String p_StateString();  // the state string of the three arrays, as p_Save writes it
  int p_Save();
  int p_Load();
  int p_BankLoad();

  // >>web: the start-up request (web_request.cpp)
  int p_GetURL(String url, String query);

  // >>background: colour, boxes, stars, grid, fading lines, randomness (background.cpp)
  int p_Rand(float low, float high);
  int p_SeedRnd(int n);
  int p_DoBG(int r, int g, int b, float alpha);
  int p_BGBoxes();
  int p_LayoutBGBoxes();  // the five box records of a new game (p_LoadGame)
  int p_DoStars(float dx, float dy);
  int p_ResetStars(int n);
  int p_ScrollGrid();     // advances the grid scroll phase (player slot 91)
  int p_DrawGrid();       // the ground grid's line records
  int p_ALine(float x1, float y1, float x2, float y2, int r, int g, int b, float life, int drift);
  int p_DoLines(float dx, float dy);

  // >>player (player.cpp)
  int p_DoPlayer();
  static int m_WhichWayDoIGo(float from, float to, int lo, int hi);

  // >>objects: objects, spawning and the life icons (objects.cpp)
  int p_DoObj();
  int p_Spawn();
  int p_FreeObj(int n);
  int p_FreeObjTop(int n);
  int p_Burst(int x, int y, int n, int colour);
  int p_Gimme(int points, float x, float y);
  int p_LifeIconPos(int i);  // icon i's position into m_Tx, m_Ty, and m_IconGap (frame_loop.cpp)

  // >>particles (particles.cpp)
  int p_FreeParticle();
  int p_AddParticle(int kind, float x, float y, float vx, float vy, int shown, int colour, int alpha0);
  int p_ThrowParticle(float x, float y, int kind, int colour, float angle, float speed);
  int p_DoParticles(float scale);

  // >>score: score display, ranks and game over (score.cpp)
  int p_ScoreDisplay();
  int p_HiScoreBase(int difficulty);  // first element of the difficulty's top ten; its last ten lie 30 on
  String p_Nth(int n);
  String p_MyNth();  // also sets m_NthPlace
  int p_GameOver();
  int p_LoadMenu();
  int p_GC_PostScore(int score, int board);

  // >>menu: title menu, credits and debug stats (menu.cpp, credits.cpp)
  int p_Menu();
  int p_Gears(float x, float y, float size, float step);  // the options gears; m_GearAngle moves by step first
  int p_Credits();  // the credit roll, the debug stats and the disc ring, while the credits show

  // >>options: options box (options_box.cpp)
  int p_OptionBox();

  // >>pause: pause menu (pause_menu.cpp)
  int p_PauseMenu();

  // >>badges (badges.cpp)
  String p_BadgeID(int n);
  String p_BadgeName(int n);
  String p_BadgeDetail(int n);
  int p_ShowBadges();
  int p_GC_Badges();

  // >>save notice (save_notice.cpp)
  int p_ShowSaveNotice();
};
