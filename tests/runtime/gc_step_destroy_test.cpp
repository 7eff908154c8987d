// Garbage is also destroyed by collection steps, a little per step, so memory it holds outside the heap
// (a decoded tune, pixels) is released even while the program allocates nothing.
#include <gtest/gtest.h>

#include "runtime/runtime.h"

namespace {

int destroyed = 0;

struct Holder : Object {
  ~Holder() override { ++destroyed; }
};

void no_roots() {}

TEST(CollectorSteps, GarbageIsDestroyedByLaterStepsWithoutAllocations) {
  gc_mark_roots = no_roots;
  for (int i = 0; i < 2; ++i) {
    gc_ext_malloced(0x800001);
    gc_collect_step(nullptr);
  }
  gc_destroy_garbage(0x7fffffff);
  destroyed = 0;

  const int count = 200;
  for (int i = 0; i < count; ++i) new Holder;
  gc_ext_malloced(0x800001);  // ends the cycle at the next step
  gc_collect_step(nullptr);
  EXPECT_EQ(destroyed, 0);  // the step that ends the cycle only moves the garbage to the free list
  EXPECT_EQ(gc_list_count(&gc_free_list), count);

  int steps = 0;
  while (destroyed < count && steps < 1000) {
    gc_collect_step(nullptr);
    ++steps;
  }
  EXPECT_EQ(destroyed, count);
  EXPECT_EQ(gc_free_bytes, 0);
  EXPECT_LT(steps, 100);  // a few objects per step
  EXPECT_GT(steps, 1);    // but not all at once
  EXPECT_STREQ(gc_check_heap(), "");
}

}  // namespace
