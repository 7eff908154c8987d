// Zeroing large blocks by giving their pages back: pages that were only zeroed do not stay resident.
// POSIX only: residency is read with mincore, and only runtime/posix_zero_fill.cpp gives pages back (the
// Windows build writes the zeros: runtime/win32_zero_fill.cpp says why).
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "runtime/array.h"
#include "runtime/zero_fill.h"

namespace {

// Resident pages among the whole pages of [p, p + bytes).
size_t ResidentPages(const void* p, size_t bytes) {
  const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
  uintptr_t first = (uintptr_t(p) + page - 1) & ~(page - 1), last = (uintptr_t(p) + bytes) & ~(page - 1);
  std::vector<unsigned char> v((last - first) / page);
  if (mincore(reinterpret_cast<void*>(first), last - first, v.data()) != 0) return size_t(-1);
  size_t n = 0;
  for (unsigned char c : v) n += c & 1;
  return n;
}

}  // namespace

TEST(ZeroFill, ALargeNumberArrayTakesNoMemoryUntilWrittenAndGivesItBackWhenZeroed) {
  Array<float> a(4000000);  // 16 MB
  const size_t bytes = sizeof(float) * size_t(a.Length());
  EXPECT_LT(ResidentPages(a.Data(), bytes), 16u) << "a new array of numbers is not written page by page";
  EXPECT_EQ(a[0], 0.0f);
  EXPECT_EQ(a[1234567], 0.0f);
  EXPECT_EQ(a[a.Length() - 1], 0.0f);

  for (int i = 0; i < a.Length(); i += 1024) a[i] = 1.0f;
  EXPECT_GT(ResidentPages(a.Data(), bytes), 3000u);
  rt_zero_fill(a.Data(), bytes);
  EXPECT_LT(ResidentPages(a.Data(), bytes), 16u);
  for (int i = 0; i < a.Length(); i += 1024) ASSERT_EQ(a[i], 0.0f) << i;
}
