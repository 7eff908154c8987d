// Asset names to runtime paths: a plain name lives in the data folder beside the program.
#include "app/app.h"

String rt_data_FixDataPath(String path) {
  // Absolute when the first "/" directly follows the ":" of a ":/" (a drive letter or a scheme).
  int colon = path.Find(String(":/"));
  if (colon != -1 && path.Find(String("/")) == colon + 1) return path;
  if (path.StartsWith(String("./")) || path.StartsWith(String("/"))) return path;
  return String("trazel://data/") + path;
}
