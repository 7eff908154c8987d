// Makers of each image of the data folder; each writes its sheet at every level into outDir.
#pragma once
#include <cairo.h>
#include <string>

namespace datagen {

class Font;

// The faces the art draws text with (all from the DejaVu family).
struct Fonts {
  Font* sans;
  Font* sansBold;
  Font* mono;
  Font* monoBold;
};

bool MakeShips(const std::string& outDir);
bool MakeParts(const std::string& outDir);
bool MakeMenuShapes(const std::string& outDir);
bool MakeLogo(const std::string& outDir, const Fonts& fonts);
bool MakeMakerLogo(const std::string& outDir, const Fonts& fonts);
bool MakeIcons(const std::string& outDir, const Fonts& fonts);
bool MakeButtons(const std::string& outDir, const Fonts& fonts);
bool MakeDpad(const std::string& outDir, const Fonts& fonts);
bool MakeCircle(const std::string& outDir);
bool MakeLight(const std::string& outDir);
bool MakeBadges(const std::string& outDir, const Fonts& fonts);
bool MakeGameFont(const std::string& outDir, const Fonts& fonts);
bool MakeDefaultFont(const std::string& outDir, const Fonts& fonts);

// The player's fighter in a 64 x 64 frame, nose up; shared by the ship sheet and the desktop icon.
void DrawPlayerShip(cairo_t* cr);
// The desktop icons, outDir/<n>x<n>/apps/vextrallis.png for each size of the icon theme.
bool MakeAppIcons(const std::string& outDir);
// The Windows program's icon file: PNG images at 16, 32, 48 and 256 pixels.
bool MakeWindowsIcon(const std::string& path);

}  // namespace datagen
