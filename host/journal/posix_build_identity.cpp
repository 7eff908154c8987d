// This build's identity: the GNU build id the linker stamps on the executable (a hash of its contents),
// so a journal is only replayed by the program that recorded it.
#include <elf.h>
#include <link.h>

#include <cstdio>
#include <cstring>

#include "host/journal/journal.h"

namespace {

int FindBuildId(dl_phdr_info* info, size_t, void* out) {
  std::string& id = *static_cast<std::string*>(out);
  for (int i = 0; i < info->dlpi_phnum; ++i) {
    const ElfW(Phdr)& ph = info->dlpi_phdr[i];
    if (ph.p_type != PT_NOTE) continue;
    const char* p = reinterpret_cast<const char*>(info->dlpi_addr + ph.p_vaddr);
    const char* end = p + ph.p_memsz;
    while (p + sizeof(ElfW(Nhdr)) <= end) {
      ElfW(Nhdr) note;
      std::memcpy(&note, p, sizeof note);
      const char* name = p + sizeof note;
      const char* desc = name + ((note.n_namesz + 3) & ~3u);
      const char* next = desc + ((note.n_descsz + 3) & ~3u);
      if (next > end) break;
      if (note.n_type == NT_GNU_BUILD_ID && note.n_namesz == 4 && std::memcmp(name, "GNU", 4) == 0) {
        char hex[3];
        for (unsigned j = 0; j < note.n_descsz; ++j) {
          std::snprintf(hex, sizeof hex, "%02x", unsigned(static_cast<unsigned char>(desc[j])));
          id += hex;
        }
        return 1;
      }
      p = next;
    }
  }
  return 1;  // only the executable itself, which comes first
}

}  // namespace

std::string journal_BuildIdentity() {
  std::string id;
  dl_iterate_phdr(FindBuildId, &id);
  return id.empty() ? std::string("no-build-id") : id;
}
