#include "runtime/zero_fill.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

void rt_zero_fill(void* p, size_t bytes) {
  if (bytes < rt_zero_fill_release_bytes) {
    std::memset(p, 0, bytes);
    return;
  }
  const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
  const uintptr_t begin = uintptr_t(p), end = begin + bytes;
  const uintptr_t first = (begin + page - 1) & ~(page - 1), last = end & ~(page - 1);
  // Private anonymous pages given up with MADV_DONTNEED read back as zero; should the system refuse,
  // the pages are written instead.
  if (madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED) != 0) {
    std::memset(p, 0, bytes);
    return;
  }
  std::memset(p, 0, first - begin);
  std::memset(reinterpret_cast<void*>(last), 0, end - last);
}
