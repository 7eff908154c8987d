// The collector: allocation with lazy destruction, marking, the write barrier and the collection step.
#include "runtime/gc.h"

#include <cstdlib>   // Required for: malloc(), free()
#include <cstring>

#include "runtime/error.h"

uint32_t gc_markbit = 1;
gc_object gc_queued_list{gc_object::static_tag{}};
gc_object gc_unmarked_list{gc_object::static_tag{}};
gc_object gc_marked_list{gc_object::static_tag{}};
gc_object gc_free_list{gc_object::static_tag{}};
gc_object* gc_cache[8];
int32_t gc_new_bytes;
int32_t gc_alloced_bytes;
int32_t gc_max_alloced_bytes;
int32_t gc_marked_bytes;
int32_t gc_free_bytes;
std::atomic<int32_t> gc_ext_new_bytes{0};
void (*gc_mark_roots)() = nullptr;

namespace {

// Bytes of garbage each collection step destroys (a few objects), besides what allocations destroy.
const int kStepDestroyBytes = 1024;

// Blocks handed out by operator new whose object has not reached the base constructor yet, newest last.
// A new-expression may run others between its allocation and its constructor (`new T(new U)` makes U
// first), so each base constructor finds its own block by address instead of taking the latest.
struct PendingBlock {
  const char* block;
  int size;
};
const int kMaxPending = 64;
PendingBlock pending[kMaxPending];
int pending_count = 0;

void add_pending(void* block, int size) {
  if (pending_count == kMaxPending) rtRuntimeError("Collected objects nested too deeply in their new-expressions");
  pending[pending_count++] = {static_cast<const char*>(block), size};
}

// The size of the block that holds `object`, taken off the pending list.
int take_pending(const void* object) {
  const char* at = static_cast<const char*>(object);
  for (int i = pending_count - 1; i >= 0; --i) {
    if (pending[i].block <= at && at < pending[i].block + pending[i].size) {
      int size = pending[i].size;
      for (int j = i + 1; j < pending_count; ++j) pending[j - 1] = pending[j];
      --pending_count;
      return size;
    }
  }
  rtRuntimeError("A collected object was made without the collector's new");
}

void clear_list(gc_object* head) { head->succ = head->pred = head; }

void remove(gc_object* p) {
  p->succ->pred = p->pred;
  p->pred->succ = p->succ;
}

void insert_tail(gc_object* head, gc_object* p) {
  p->pred = head->pred;
  p->succ = head;
  head->pred->succ = p;
  head->pred = p;
}

void move_tail(gc_object* head, gc_object* p) {
  remove(p);
  insert_tail(head, p);
}

// Moves every object of `from` to the tail of `to`, leaving `from` empty.
void splice_tail(gc_object* to, gc_object* from) {
  if (from->succ == from) return;
  gc_object* first = from->succ;
  gc_object* last = from->pred;
  first->pred = to->pred;
  to->pred->succ = first;
  last->succ = to;
  to->pred = last;
  clear_list(from);
}

bool lists_ready = false;

// Returns a destroyed object's block: small blocks to their size-class cache, the rest to the system.
void free_block(void* block, int size) {
  gc_free_bytes -= size;
  if (size >= 64) {
    free(block);
  } else {
    // A cached block holds no object: the link to the next cached block is kept in its first bytes.
    memcpy(block, &gc_cache[size >> 3], sizeof(gc_object*));
    gc_cache[size >> 3] = static_cast<gc_object*>(block);
  }
}

void ensure_lists() {
  // The lists are usable before the host's explicit initialisation (tests create objects freely).
  if (!lists_ready) gc_init();
}

}  // namespace

gc_object::gc_object(static_tag) : succ(this), pred(this), flags(2) {}

gc_object::gc_object() {
  ensure_lists();
  const int size = take_pending(this);
  flags = uint32_t(size) | gc_markbit;
  insert_tail(&gc_unmarked_list, this);
  gc_alloced_bytes += size;
  if (gc_alloced_bytes > gc_max_alloced_bytes) gc_max_alloced_bytes = gc_alloced_bytes;
}

gc_object::~gc_object() {}

void gc_object::mark() {}

// The base constructor links the object and sets its header once the new-expression reaches it.
void* gc_object::operator new(size_t size) {
  void* block = gc_object_alloc(int(size));
  add_pending(block, (int(size) + 7) & ~7);
  return block;
}

void* gc_object::operator new(size_t size, size_t extra) {
  void* block = gc_object_alloc(int(size + extra));
  add_pending(block, (int(size + extra) + 7) & ~7);
  return block;
}

void gc_init() {
  lists_ready = true;
  clear_list(&gc_queued_list);
  clear_list(&gc_unmarked_list);
  clear_list(&gc_marked_list);
  clear_list(&gc_free_list);
}

void* gc_object_alloc(int size) {
  ensure_lists();
  size = (size + 7) & ~7;
  gc_new_bytes += size;
  gc_destroy_garbage(size);

  void* block = nullptr;
  if (size < 64 && gc_cache[size >> 3]) {
    block = gc_cache[size >> 3];
    memcpy(&gc_cache[size >> 3], block, sizeof(gc_object*));
  } else {
    block = malloc(size_t(size));
  }
  return block;
}

void gc_destroy_garbage(int bytes) {
  int target = gc_free_bytes - bytes;
  if (target < 0) target = 0;
  while (gc_free_bytes > target && gc_free_list.succ != &gc_free_list) {
    gc_object* p = gc_free_list.succ;
    remove(p);
    int size = p->gc_size();  // read before the destructor ends the object's life
    p->~gc_object();
    free_block(p, size);
  }
}

void gc_object_free(gc_object* p) { free_block(p, p->gc_size()); }

void gc_ext_malloced(int bytes) { gc_ext_new_bytes.fetch_add(bytes, std::memory_order_relaxed); }

void gc_mark(gc_object* p) {
  if (p && gc_is_white(p)) {
    p->flags ^= 1;
    gc_marked_bytes += p->gc_size();
    move_tail(&gc_marked_list, p);
    p->mark();
  }
}

void gc_queue(gc_object* p) {
  if (p && gc_is_white(p)) {
    p->flags ^= 1;
    move_tail(&gc_queued_list, p);
  }
}

void gc_mark_queued(int limit) {
  while (gc_marked_bytes < limit && gc_queued_list.succ != &gc_queued_list) {
    gc_object* p = gc_queued_list.succ;
    move_tail(&gc_marked_list, p);
    gc_marked_bytes += p->gc_size();
    p->mark();
  }
}

void gc_collect_step(gc_object* delegate) {
  ensure_lists();
  // Garbage can hold much memory outside the heap (a decoded tune, an image's pixels) while play
  // allocates nothing that would destroy it, so every step also destroys a little of it.
  gc_destroy_garbage(kStepDestroyBytes);
  gc_mark(delegate);
  int64_t pending = int64_t(gc_new_bytes) + gc_ext_new_bytes.load();
  if (pending <= 0x800000) {
    int64_t target = int64_t(gc_new_bytes) +
                     (int64_t(gc_alloced_bytes - gc_new_bytes) * int64_t(gc_new_bytes)) / 0x800000;
    gc_mark_queued(int(target));
    return;
  }
  gc_ext_new_bytes.store(0);
  gc_mark_queued(0x7fffffff);
  if (gc_alloced_bytes != gc_marked_bytes) {
    gc_free_bytes += gc_alloced_bytes - gc_marked_bytes;
    splice_tail(&gc_free_list, &gc_unmarked_list);
  }
  // The survivors become the white objects of the next cycle.
  clear_list(&gc_unmarked_list);
  splice_tail(&gc_unmarked_list, &gc_marked_list);
  gc_alloced_bytes = gc_marked_bytes;
  gc_marked_bytes = 0;
  gc_markbit ^= 1;
  gc_mark();
  gc_new_bytes = 0;
}

int gc_list_count(const gc_object* head) {
  int n = 0;
  for (const gc_object* p = head->succ; p != head; p = p->succ) ++n;
  return n;
}

const char* gc_check_heap() {
  ensure_lists();
  const gc_object* heads[4] = {&gc_unmarked_list, &gc_queued_list, &gc_marked_list, &gc_free_list};
  int64_t bytes[4] = {0, 0, 0, 0};
  for (int i = 0; i < 4; ++i) {
    const gc_object* head = heads[i];
    for (const gc_object* p = head->succ; p != head; p = p->succ) {
      if (p->succ->pred != p || p->pred->succ != p) return "broken list links";
      if (p->flags & 6) return "colour bits 1 and 2 must be zero";
      if (p->gc_size() <= 0) return "object without a size";
      bool white = gc_is_white(p);
      if (i == 0 && !white) return "a non-white object on the unmarked list";
      if ((i == 1 || i == 2) && white) return "a white object on the queued or marked list";
      bytes[i] += p->gc_size();
    }
  }
  if (bytes[0] + bytes[1] + bytes[2] != gc_alloced_bytes) return "allocated bytes do not add up";
  if (bytes[3] != gc_free_bytes) return "free bytes do not add up";
  if (bytes[2] != gc_marked_bytes) return "marked bytes do not add up";
  return "";
}
