// Zeroing large blocks by giving their pages back: every byte reads zero afterwards, whatever the
// alignment of the block, and pages that were only zeroed do not stay resident.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
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

bool AllZero(const unsigned char* p, size_t bytes) {
  for (size_t i = 0; i < bytes; ++i) {
    if (p[i]) return false;
  }
  return true;
}

}  // namespace

TEST(ZeroFill, EveryByteReadsZeroForSmallLargeAndUnalignedBlocks) {
  const size_t big = 3 * rt_zero_fill_release_bytes;
  unsigned char* block = static_cast<unsigned char*>(std::malloc(big + 8192));
  ASSERT_NE(block, nullptr);
  struct Case {
    size_t offset, bytes;
  } cases[] = {{0, 100}, {3, rt_zero_fill_release_bytes - 1}, {0, big}, {5, big - 7}, {4093, big}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.offset);
    std::memset(block, 0xab, big + 8192);
    rt_zero_fill(block + c.offset, c.bytes);
    EXPECT_TRUE(AllZero(block + c.offset, c.bytes)) << c.bytes;
    EXPECT_EQ(block[c.offset + c.bytes], 0xab) << "the byte after the block is left alone";
    if (c.offset > 0) {
      EXPECT_EQ(block[c.offset - 1], 0xab) << "the byte before the block is left alone";
    }
  }
  std::free(block);
}

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
