// Counts the heap allocations of the calling thread, so that a benchmark can show a frame takes none (the
// sound mixer's thread is not the game's). Linked into the benchmarks that include this header.
#pragma once

// Allocations (malloc, calloc, realloc) this thread has made so far.
long bench_ThreadAllocations();
