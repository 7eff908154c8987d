// This build's identity on Windows: the build id the linker stamps on the executable (-Wl,--build-id, a
// hash of its contents), which it keeps in the CodeView entry of the image's debug directory, so a journal
// is only replayed by the program that recorded it.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "host/journal/journal.h"

namespace {

// The CodeView record: "RSDS", the build id as a 16-byte GUID, an age, then a file name.
struct CodeViewRecord {
  char signature[4];
  unsigned char id[16];
  DWORD age;
};

std::string FindBuildId() {
  const unsigned char* base = reinterpret_cast<const unsigned char*>(GetModuleHandleW(nullptr));
  if (!base) return std::string();
  const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return std::string();
  const IMAGE_NT_HEADERS* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE) return std::string();
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_DEBUG];
  const IMAGE_DEBUG_DIRECTORY* entry = reinterpret_cast<const IMAGE_DEBUG_DIRECTORY*>(base + dir.VirtualAddress);
  for (DWORD i = 0; dir.VirtualAddress && i < dir.Size / sizeof *entry; ++i, ++entry) {
    if (entry->Type != IMAGE_DEBUG_TYPE_CODEVIEW || entry->SizeOfData < sizeof(CodeViewRecord) ||
        !entry->AddressOfRawData) {
      continue;
    }
    CodeViewRecord record;
    std::memcpy(&record, base + entry->AddressOfRawData, sizeof record);
    if (std::memcmp(record.signature, "RSDS", 4) != 0) continue;
    std::string id;
    char hex[3];
    for (unsigned char b : record.id) {
      std::snprintf(hex, sizeof hex, "%02x", unsigned(b));
      id += hex;
    }
    return id;
  }
  return std::string();
}

}  // namespace

std::string journal_BuildIdentity() {
  std::string id = FindBuildId();
  return id.empty() ? std::string("no-build-id") : id;
}
