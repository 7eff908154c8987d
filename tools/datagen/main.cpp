// Data generator: writes the game's images, fonts, sound effects and tune into a data folder,
// the same bytes on every run. Also draws a contact sheet of the images for review.
//   datagen <outDir> [item ...]                  generate everything, or only the named items
//   datagen --contact-sheet <out.png> <dataDir>  one PNG of every image's numbered frames
//   datagen --app-icons <outDir>                 the desktop icons, outDir/<n>x<n>/apps/vextrallis.png
//   datagen --windows-icon <out.ico>             the Windows program's icon (16, 32, 48, 256 px)
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "art.h"
#include "contact_sheet.h"
#include "glyphs.h"
#include "sound.h"

namespace {

struct Item {
  const char* name;
  std::function<bool(const std::string&)> make;
};

int Generate(const std::string& outDir, const std::vector<std::string>& only) {
  using namespace datagen;
  Font sans, sansBold, mono, monoBold;
  if (!sans.Load("DejaVuSans.ttf") || !sansBold.Load("DejaVuSans-Bold.ttf") ||
      !mono.Load("DejaVuSansMono.ttf") || !monoBold.Load("DejaVuSansMono-Bold.ttf")) {
    std::fprintf(stderr, "datagen: the DejaVu fonts are missing (package fonts-dejavu-core)\n");
    return 1;
  }
  const Fonts fonts{&sans, &sansBold, &mono, &monoBold};
  const std::vector<Item> items = {
      {"ships", MakeShips},
      {"parts", MakeParts},
      {"menu", MakeMenuShapes},
      {"logo", [&](const std::string& d) { return MakeLogo(d, fonts); }},
      {"ZOLKLogo", [&](const std::string& d) { return MakeMakerLogo(d, fonts); }},
      {"icons", [&](const std::string& d) { return MakeIcons(d, fonts); }},
      {"Buttons", [&](const std::string& d) { return MakeButtons(d, fonts); }},
      {"dpad", [&](const std::string& d) { return MakeDpad(d, fonts); }},
      {"circle", MakeCircle},
      {"light", MakeLight},
      {"BadgesA", [&](const std::string& d) { return MakeBadges(d, fonts); }},
      {"shadow_pelmar", [&](const std::string& d) { return MakeGameFont(d, fonts); }},
      {"vorn_font", [&](const std::string& d) { return MakeDefaultFont(d, fonts); }},
      {"sfx", MakeSoundEffects},
      {"tune", MakeTune},
  };
  int failures = 0;
  for (const Item& item : items) {
    bool wanted = only.empty();
    for (const std::string& o : only) wanted = wanted || o == item.name;
    if (wanted && !item.make(outDir)) {
      std::fprintf(stderr, "datagen: %s failed\n", item.name);
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--contact-sheet") == 0)
    return datagen::WriteContactSheet(argv[2], argv[3]) ? 0 : 1;
  if (argc == 3 && std::strcmp(argv[1], "--app-icons") == 0) return datagen::MakeAppIcons(argv[2]) ? 0 : 1;
  if (argc == 3 && std::strcmp(argv[1], "--windows-icon") == 0) return datagen::MakeWindowsIcon(argv[2]) ? 0 : 1;
  if (argc >= 2 && argv[1][0] != '-') return Generate(argv[1], std::vector<std::string>(argv + 2, argv + argc));
  std::fprintf(stderr,
               "usage: datagen <outDir> [item ...]\n"
               "       datagen --contact-sheet <out.png> <dataDir>\n"
               "       datagen --app-icons <outDir>\n"
               "       datagen --windows-icon <out.ico>\n");
  return 2;
}
