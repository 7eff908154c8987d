// Zeroing blocks: every byte reads zero afterwards, whatever the size and the alignment of the block, and
// the bytes around it are left alone.
#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

#include "runtime/zero_fill.h"

namespace {

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
