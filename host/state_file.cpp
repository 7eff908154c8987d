// The state file "./.trazelstate": the state string as UTF-8, one sequence per UTF-16 unit. A save writes a
// temporary file beside it and renames it into place, so a crash or full disk never loses the old state.
#include <cstdio>
#include <cstdlib>

#include "host/host.h"
#include "host/journal/journal.h"
#include "host/platform.h"
#include "host/state_file.h"
#include "host/utf8_path.h"

namespace {

struct Save {
  RtGlfwGame* game;
  const String* state;
};

// Writes the temporary file and renames it into place; 0, -1 when it cannot be opened or put in place,
// -2 when writing it failed.
int WriteStateFile(void* context) {
  const Save& save = *static_cast<const Save*>(context);
  String tempPath(kStateTemp);
  FILE* f = save.game->OpenFile(tempPath, String("wb"));
  if (!f) return -1;
  const String& state = *save.state;
  char* bytes = static_cast<char*>(malloc(size_t(state.Length()) * 3 + 1));
  int n = bytes ? state.ToUtf8(bytes) : -1;
  bool ok = n >= 0 && fwrite(bytes, 1, size_t(n), f) == size_t(n);
  free(bytes);
  // The bytes must be on disk before the rename makes them the state.
  ok = fflush(f) == 0 && ok;
  ok = host_SyncFile(f) && ok;
  ok = fclose(f) == 0 && ok;
  std::string temp = StringToUtf8Path(save.game->PathToFilePath(tempPath));
  if (!ok) {
    host_RemoveFile(temp);
    return -2;
  }
  if (!host_ReplaceFile(temp, StringToUtf8Path(save.game->PathToFilePath(String(kStateFile))))) {
    host_RemoveFile(temp);
    return -1;
  }
  // Make the rename itself durable.
  host_SyncCurrentFolder();
  return 0;
}

}  // namespace

int RtGlfwGame::SaveState(String state) {
  Save save{this, &state};
  // Whether it worked is an input of the game: a recording keeps it, and a replay answers with it.
  return journal_SaveState(WriteStateFile, &save);
}

String RtGlfwGame::LoadState() {
  FILE* f = OpenFile(String(kStateFile), String("rb"));
  if (!f) return String();
  String s = String::Load(f);
  fclose(f);
  return s;
}
