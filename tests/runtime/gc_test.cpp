// The collector: lazy destruction of garbage, the write barrier, external bytes and the size-class cache.
#include <gtest/gtest.h>

#include "runtime/runtime.h"

namespace {

int destroyed = 0;

struct Node : Object {
  Node* m_next = nullptr;
  String m_name;
  ~Node() override { ++destroyed; }
  void mark() override { gc_queue(m_next); }
};

// The smallest object: on a 64-bit host the header alone (vtable, two links, flags) takes 32 bytes.
struct Small : Object {};

Node* root = nullptr;
void mark_test_roots() { gc_queue(root); }

// Runs collection steps until a cycle ends (gc_new_bytes returns to 0 after being pushed past 8 MiB).
void finish_cycle() {
  gc_ext_malloced(0x800001);
  gc_collect_step(nullptr);
  ASSERT_EQ(gc_new_bytes, 0);
}

class Collector : public ::testing::Test {
 protected:
  void SetUp() override {
    gc_mark_roots = mark_test_roots;
    root = nullptr;
    // Start from a clean cycle with no garbage left over from earlier tests.
    finish_cycle();
    finish_cycle();
    gc_destroy_garbage(0x7fffffff);
    destroyed = 0;
  }
  void TearDown() override {
    root = nullptr;
    EXPECT_STREQ(gc_check_heap(), "");
  }
};

TEST_F(Collector, UnreferencedObjectIsFreedAtCycleEndAndDestroyedLater) {
  Node* local = new Node;
  local->m_name = String("temp");
  EXPECT_STREQ(gc_check_heap(), "");
  finish_cycle();
  EXPECT_EQ(destroyed, 0);  // on the free list, not yet destroyed
  EXPECT_EQ(gc_free_bytes, local->gc_size());
  EXPECT_EQ(gc_free_list.succ, local);
  new Node;  // this allocation destroys at least as many bytes of garbage
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(gc_free_bytes, 0);
}

TEST_F(Collector, ReachableObjectsSurvive) {
  gc_assign(root, new Node);
  gc_assign(root->m_next, new Node);
  finish_cycle();
  finish_cycle();
  new Node;
  EXPECT_EQ(destroyed, 0);
  EXPECT_EQ(gc_list_count(&gc_free_list), 0);
}

TEST_F(Collector, StoreIntoBlackObjectDuringMarkingSurvives) {
  gc_assign(root, new Node);
  finish_cycle();  // root is queued for the next cycle
  gc_mark_queued(0x7fffffff);
  ASSERT_FALSE(gc_is_white(root));  // black now
  Node* late = new Node;
  gc_assign(root->m_next, late);  // the barrier queues it
  finish_cycle();
  new Node;
  new Node;
  EXPECT_EQ(destroyed, 0);
  EXPECT_EQ(root->m_next, late);
}

TEST_F(Collector, ExternalBytesEndTheCycleAtTheNextStep) {
  new Node;
  int before = gc_new_bytes;
  EXPECT_GT(before, 0);
  gc_collect_step(nullptr);
  EXPECT_EQ(gc_new_bytes, before);  // incremental step only
  gc_ext_malloced(8 * 1024 * 1024);
  gc_collect_step(nullptr);
  EXPECT_EQ(gc_new_bytes, 0);
  EXPECT_EQ(gc_ext_new_bytes.load(), 0);
}

TEST_F(Collector, FreedSmallBlockIsReusedFromItsSizeClass) {
  Small* a = new Small;
  const int entry = a->gc_size() / 8;
  ASSERT_LT(a->gc_size(), 64);
  void* block = a;
  finish_cycle();
  EXPECT_EQ(gc_list_count(&gc_free_list), 1);
  gc_destroy_garbage(a->gc_size());
  EXPECT_EQ(static_cast<void*>(gc_cache[entry]), block);  // the freed block waits in its size class
  Small* b = new Small;
  EXPECT_EQ(static_cast<void*>(b), block);
  EXPECT_NE(static_cast<void*>(gc_cache[entry]), block);
}

TEST_F(Collector, ArraysMarkTheirObjectElements) {
  gc_assign(root, new Node);
  finish_cycle();
  struct Holder : Node {
    Array<Node*> m_items;
    void mark() override { Node::mark(); gc_mark(m_items); }
  };
  Holder* h = new Holder;
  gc_assign(root->m_next, static_cast<Node*>(h));
  gc_assign(h->m_items, Array<Node*>(3));
  gc_store(h->m_items[1], new Node);
  finish_cycle();
  finish_cycle();
  new Node;
  new Node;
  EXPECT_EQ(destroyed, 0);
}

}  // namespace

namespace {
// A collected string array releases each of its strings exactly once when it is destroyed.
TEST_F(Collector, StringArrayReleasesEveryElementOnce) {
  String kept("kept");
  {
    Array<String> a(3);
    a[0] = kept;
    a[2] = kept;
    EXPECT_EQ(kept.GetRep()->refs, 3);
  }
  finish_cycle();
  gc_destroy_garbage(0x7fffffff);
  EXPECT_EQ(kept.GetRep()->refs, 1);
}
}  // namespace

namespace {

struct Holder : Object {
  Small* m_held;
  explicit Holder(Small* held) : m_held(held) {}
  void mark() override { gc_queue(m_held); }
};

}  // namespace

// An object allocated while another's new-expression is under way (its constructor argument) must leave
// the outer object its own block size, or the outer one is never counted and its block never reused.
TEST_F(Collector, AnObjectMadeInsideAnothersNewExpressionKeepsBothSizes) {
  const int before = gc_alloced_bytes;
  Holder* outer = new Holder(new Small);
  EXPECT_EQ(outer->gc_size(), int((sizeof(Holder) + 7) & ~size_t(7)));
  EXPECT_EQ(outer->m_held->gc_size(), int((sizeof(Small) + 7) & ~size_t(7)));
  EXPECT_EQ(gc_alloced_bytes - before, outer->gc_size() + outer->m_held->gc_size());
  EXPECT_STREQ(gc_check_heap(), "");
}

// A step marks in proportion to what was allocated since the cycle began: new + (allocated - new) x new
// / 8 MiB bytes, rounded up to whole objects; the rest of the live heap waits for later steps.
TEST_F(Collector, AStepMarksInProportionToTheNewAllocation) {
  for (int i = 0; i < 20000; ++i) {
    Node* n = new Node;
    n->m_next = root;
    root = n;
  }
  gc_queue(root);  // the root's write barrier
  finish_cycle();  // the chain survives: the live heap of the next cycle, with only its head queued
  const int64_t live = gc_alloced_bytes;
  const int nodeSize = root->gc_size();
  ASSERT_EQ(gc_marked_bytes, 0);
  const int fresh[] = {4096, 8192};  // small objects since the cycle began, in two rounds
  int made = 0;
  for (int count : fresh) {
    SCOPED_TRACE(count);
    for (; made < count; ++made) new Small;
    const int64_t created = gc_new_bytes;
    ASSERT_EQ(created, int64_t(made) * int64_t((sizeof(Small) + 7) & ~size_t(7)));
    gc_collect_step(nullptr);
    const int64_t target = created + (live * created) / 0x800000;
    EXPECT_GE(gc_marked_bytes, target);
    EXPECT_LT(gc_marked_bytes, target + nodeSize) << "marking stops once the target is reached";
    EXPECT_LT(gc_marked_bytes, live) << "most of the chain is left for later steps";
  }
}
