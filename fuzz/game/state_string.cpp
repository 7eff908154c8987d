// Fuzz target for the state file as the game reads it: the bytes are decoded as the host decodes the
// file, then read into the settings, badges and score tables. Whatever was read must obey the setting
// limits and come back unchanged from a save and a second load.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/app.h"
#include "game/myapp.h"

namespace {

// A host that holds the state string in memory.
class MemoryHost : public RtGame {
 public:
  String state;
  String LoadState() override { return state; }
  int SaveState(String s) override {
    state = s;
    return 0;
  }
};

struct Fixture {
  MemoryHost* host;
  c_MyApp* app;
  Fixture() {
    if (!freopen("/dev/null", "w", stdout)) perror("freopen");  // the loader's messages
    host = new MemoryHost;
    rt_app__game = host;
    app = (new c_MyApp)->m_new();
  }
};

template <class T>
std::vector<T> Copy(const Array<T>& a) {
  return std::vector<T>(a.Data(), a.Data() + a.Length());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Fixture f;
  c_MyApp* app = f.app;
  FILE* stream = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  f.host->state = stream ? String::Load(stream) : String();
  if (stream) fclose(stream);

  app->p_Load();
  if (app->m_Options[10] < 64 || app->m_Options[11] < 64 || app->m_Options[12] < 8 || app->m_Options[14] != 1) {
    __builtin_trap();
  }

  const std::vector<int> options = Copy(app->m_Options), scores = Copy(app->m_HiScores);
  const std::vector<bool> badges = Copy(app->m_Badges);
  app->p_Save();
  app->p_Load();
  if (Copy(app->m_Options) != options || Copy(app->m_HiScores) != scores || Copy(app->m_Badges) != badges) {
    __builtin_trap();
  }
  return 0;
}
