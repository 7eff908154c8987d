// Zeroing of large blocks without making them resident: the whole pages inside the block are handed
// back to the system, which maps them again as zero pages when they are next touched. A block that is
// only ever zeroed therefore never takes memory, however often it is zeroed.
#pragma once
#include <cstddef>

// Sets `bytes` bytes at `p` to zero. Blocks of at least rt_zero_fill_release_bytes give back their
// inner pages (the block must be private memory of this process, as malloc's is); smaller blocks and
// the partial pages at either end are written.
void rt_zero_fill(void* p, size_t bytes);

constexpr size_t rt_zero_fill_release_bytes = size_t(1) << 20;
