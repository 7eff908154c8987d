// Placeholders for the gameplay methods (background and randomness, player, objects, particles, score and
// game over) so that the game links; the gameplay sources replace this file.
#include "game/myapp.h"

// >>background
float rt_random_Rnd() { return 0.0f; }
float rt_random_Rnd2(float low, float high) { (void)high; return low; }
float rt_random_Rnd3(float range) { (void)range; return 0.0f; }
int c_MyApp::p_Rand(float low, float high) { (void)high; return int(low); }
int c_MyApp::p_SeedRnd(int n) { (void)n; return 0; }
int c_MyApp::p_DoBG(int r, int g, int b, float alpha) { (void)r; (void)g; (void)b; (void)alpha; return 0; }
int c_MyApp::p_BGBoxes() { return 0; }
int c_MyApp::p_LayoutBGBoxes() { return 0; }
int c_MyApp::p_DoStars(float dx, float dy) { (void)dx; (void)dy; return 0; }
int c_MyApp::p_ResetStars(int n) { (void)n; return 0; }
int c_MyApp::p_ScrollGrid() { return 0; }
int c_MyApp::p_DrawGrid() { return 0; }
int c_MyApp::p_ALine(float x1, float y1, float x2, float y2, int r, int g, int b, float life, int drift) {
  (void)x1; (void)y1; (void)x2; (void)y2; (void)r; (void)g; (void)b; (void)life; (void)drift;
  return 0;
}
int c_MyApp::p_DoLines(float dx, float dy) { (void)dx; (void)dy; return 0; }

// >>player
int c_MyApp::p_DoPlayer() { return 0; }
int c_MyApp::m_WhichWayDoIGo(float from, float to, int lo, int hi) {
  (void)from; (void)to; (void)lo; (void)hi;
  return 0;
}

// >>objects
int c_MyApp::p_DoObj() { return 0; }
int c_MyApp::p_Spawn() { return 0; }
int c_MyApp::p_FreeObj(int n) { m_ObjCount = n; return -1; }
int c_MyApp::p_FreeObjTop(int n) { m_ObjCount = n; return -1; }
int c_MyApp::p_Burst(int x, int y, int n, int colour) { (void)x; (void)y; (void)n; (void)colour; return 0; }
int c_MyApp::p_Gimme(int points, float x, float y) { (void)x; (void)y; m_Score += points; return 0; }

// >>particles
int c_MyApp::p_FreeParticle() { return -1; }
int c_MyApp::p_AddParticle(int kind, float x, float y, float vx, float vy, int shown, int colour, int alpha0) {
  (void)kind; (void)x; (void)y; (void)vx; (void)vy; (void)shown; (void)colour; (void)alpha0;
  return 0;
}
int c_MyApp::p_ThrowParticle(float x, float y, int kind, int colour, float angle, float speed) {
  (void)x; (void)y; (void)kind; (void)colour; (void)angle; (void)speed;
  return 0;
}
int c_MyApp::p_DoParticles(float scale) { (void)scale; return 0; }

// >>score
int c_MyApp::p_ScoreDisplay() { return 0; }
String c_MyApp::p_Nth(int n) { (void)n; return String(); }
String c_MyApp::p_MyNth() { m_NthPlace = 0; return String(); }
int c_MyApp::p_GameOver() { return 0; }
int c_MyApp::p_LoadMenu() { return 0; }
int c_MyApp::p_GC_PostScore(int score, int board) { (void)score; (void)board; return 0; }
