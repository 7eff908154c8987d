// Zeroing on Windows: written in full. The system has no call that turns private heap pages back into
// zero pages in place (its reset calls leave the contents undefined), so large blocks stay resident.
#include "runtime/zero_fill.h"

#include <cstring>

void rt_zero_fill(void* p, size_t bytes) { std::memset(p, 0, bytes); }
