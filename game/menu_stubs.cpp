// Placeholders for the menu methods (title menu, options box, pause menu, badges) so that the game links;
// the menu sources replace this file.
#include "game/myapp.h"

// >>menu
int c_MyApp::p_Menu() { return 0; }

// >>options
int c_MyApp::p_OptionBox() { return 0; }

// >>pause
int c_MyApp::p_PauseMenu() { return 0; }

// >>badges
String c_MyApp::p_BadgeID(int n) { (void)n; return String(); }
String c_MyApp::p_BadgeName(int n) { (void)n; return String(); }
String c_MyApp::p_BadgeDetail(int n) { (void)n; return String(); }
int c_MyApp::p_ShowBadges() { return 0; }
int c_MyApp::p_GC_Badges() { return 0; }
