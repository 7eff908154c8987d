// Fuzzes the URL splitter on arbitrary text (one unit per input byte) and checks what every parse promises.
#include <cstddef>
#include <cstdint>

#include "net/net.h"

namespace {

// True when `part` is empty or a piece of `whole` (every part is cut from the URL as given).
bool inside(const String& whole, const String& part) { return part.Length() == 0 || whole.Contains(part); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) return 0;
  String::Rep* rep = String::AllocRep(int(size));
  for (size_t i = 0; i < size; ++i) rep->data[i] = data[i];
  String text(rep);

  c_Url* url = (new c_Url)->m_new(text, String("http"), 80);
  String full = url->p_FullPath();
  if (full.Length() == 0 || full[0] != '/') __builtin_trap();
  if (!inside(text, url->m_Scheme) && !(url->m_Scheme == String("http"))) __builtin_trap();
  if (!inside(text, url->m_Username) || !inside(text, url->m_Password) || !inside(text, url->p_Domain()) ||
      !inside(text, url->m_Query) || !inside(text, url->m_Fragment)) {
    __builtin_trap();
  }
  if (!(url->m_Path == String("/")) && !inside(text, url->m_Path)) __builtin_trap();
  // Parsing again gives the same parts.
  url->p_Set2(text);
  if (!(url->p_FullPath() == full)) __builtin_trap();

  // Nothing is rooted here, so every collection cycle frees the objects of earlier inputs.
  gc_collect_step(nullptr);
  return 0;
}
