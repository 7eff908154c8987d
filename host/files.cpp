// File access of the host: runtime paths to real paths (beside the program's folder), opening by name,
// and whole-file loading of text and bytes.
#include <climits>
#include <cstdlib>
#include <cstring>

#include "host/host.h"
#include "host/platform.h"
#include "host/utf8_path.h"

FILE* RtGame::OpenFile(String path, String mode) {
  String file = PathToFilePath(path);
  if (file.Length() == 0) return nullptr;
  return host_OpenFile(StringToUtf8Path(file), StringToUtf8Path(mode).c_str());
}

String RtGame::LoadString(String path) {
  FILE* f = OpenFile(path, String("rb"));
  if (!f) return String();
  String s = String::Load(f);
  fclose(f);
  return s;
}

unsigned char* RtGame::LoadData(String path, int* length) {
  FILE* f = OpenFile(path, String("rb"));
  if (!f) return nullptr;
  size_t cap = 4096, size = 0;
  unsigned char* buf = static_cast<unsigned char*>(malloc(cap));
  for (;;) {
    if (!buf) break;
    size += fread(buf + size, 1, cap - size, f);
    if (size < cap) break;
    // Files beyond the 32-bit length cannot be described to the caller.
    if (cap > size_t(INT_MAX) / 2) { free(buf); buf = nullptr; break; }
    unsigned char* grown = static_cast<unsigned char*>(realloc(buf, cap * 2));
    if (!grown) { free(buf); buf = nullptr; break; }
    buf = grown;
    cap *= 2;
  }
  bool failed = !buf || ferror(f);
  fclose(f);
  if (failed) {
    free(buf);
    return nullptr;
  }
  // Trim to the file's size; an empty file still gets a block, so null keeps meaning "could not read".
  unsigned char* exact = static_cast<unsigned char*>(realloc(buf, size ? size : 1));
  if (exact) buf = exact;
  *length = int(size);
  gc_ext_malloced(int(size));
  return buf;
}

namespace {

// The folder of the running program, with no trailing slash; "." when it cannot be found.
String ProgramDirectory() {
  std::string folder;
  if (!host_ProgramFolder(folder)) return String(".");
  return Utf8PathToString(folder.data(), int(folder.size()));
}

}  // namespace

String RtGlfwGame::PathToFilePath(String path) {
  if (appDirectory.Length() == 0) appDirectory = ProgramDirectory();
  if (!path.StartsWith(String("trazel:"))) return path;
  static const String data("trazel://data/"), internal("trazel://internal/"), external("trazel://external/");
  if (path.StartsWith(data)) return appDirectory + String("/data/") + path.Slice(data.Length());
  if (path.StartsWith(internal)) {
    if (internalDirectory.Length() == 0) internalDirectory = appDirectory + String("/internal");
    return internalDirectory + String("/") + path.Slice(internal.Length());
  }
  if (path.StartsWith(external)) return appDirectory + String("/external/") + path.Slice(external.Length());
  return String();
}
