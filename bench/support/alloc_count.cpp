// Replaces the C allocator's entry points with counting ones that hand on to the C library's own.
#include "bench/support/alloc_count.h"

#include <cstddef>

extern "C" void* __libc_malloc(size_t);
extern "C" void* __libc_calloc(size_t, size_t);
extern "C" void* __libc_realloc(void*, size_t);

namespace {
thread_local long t_allocations = 0;
}

extern "C" void* malloc(size_t n) {
  ++t_allocations;
  return __libc_malloc(n);
}
extern "C" void* calloc(size_t a, size_t b) {
  ++t_allocations;
  return __libc_calloc(a, b);
}
extern "C" void* realloc(void* p, size_t n) {
  ++t_allocations;
  return __libc_realloc(p, n);
}

long bench_ThreadAllocations() { return t_allocations; }
