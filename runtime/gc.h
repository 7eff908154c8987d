// The collected heap: an incremental, non-moving tri-colour mark-and-sweep collector whose objects sit
// on circular doubly linked lists. Garbage is moved to a free list and destroyed lazily by later allocations.
#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <type_traits>

struct gc_object;

// Every collected object starts with this header (after the virtual table).
struct gc_object {
  gc_object* succ;  // next object on the list that holds this one
  gc_object* pred;  // previous object on that list
  uint32_t flags;   // block size (multiple of 8) in the upper bits, bit 0 the colour bit

  gc_object();
  virtual ~gc_object();
  virtual void mark();

  // Blocks come from the collector; `extra` bytes follow the object (array representations).
  static void* operator new(size_t size);
  static void* operator new(size_t size, size_t extra);
  // Collected objects are never deleted explicitly: the collector destroys and releases them.
  static void operator delete(void*) {}
  static void operator delete(void*, size_t) {}

  // For statically allocated objects (empty array representations): never white, never on a list.
  struct static_tag {};
  explicit gc_object(static_tag);

  int gc_size() const { return int(flags & ~7u); }
};

// Base of interface types; a collected object implementing one derives from Object and the interface.
struct gc_interface {
  virtual ~gc_interface() {}
};

// Process-wide collector state, readable by the debug statistics and the tests.
extern uint32_t gc_markbit;
extern gc_object gc_queued_list;
extern gc_object gc_unmarked_list;
extern gc_object gc_marked_list;
extern gc_object gc_free_list;
extern gc_object* gc_cache[8];
extern int32_t gc_new_bytes;
extern int32_t gc_alloced_bytes;
extern int32_t gc_max_alloced_bytes;
extern int32_t gc_marked_bytes;
extern int32_t gc_free_bytes;
extern std::atomic<int32_t> gc_ext_new_bytes;

// Makes the four lists empty; the host calls it once before the program's globals are initialised.
void gc_init();
// A raw block of `size` bytes (rounded up to 8), after destroying at least as much garbage.
void* gc_object_alloc(int size);
// Lazy destruction: destroys free-list objects until `bytes` were released or the list is empty.
void gc_destroy_garbage(int bytes);
// Releases a destroyed object's block: small blocks go to the size-class cache.
void gc_object_free(gc_object* p);
// Counts memory held outside the heap (file data, pixels, samples); safe from any thread.
void gc_ext_malloced(int bytes);

inline bool gc_is_white(const gc_object* p) { return (p->flags & 3) == gc_markbit; }

// Immediate shading: a white object becomes black at once and its children are scanned.
void gc_mark(gc_object* p);
// Grey shading: a white object is queued for scanning.
void gc_queue(gc_object* p);
inline void gc_mark_iface(gc_interface* p) { if (p) gc_mark(dynamic_cast<gc_object*>(p)); }
inline void gc_queue_iface(gc_interface* p) { if (p) gc_queue(dynamic_cast<gc_object*>(p)); }

// Scans queued objects until `limit` bytes are marked in this cycle or the queue is empty.
void gc_mark_queued(int limit);

// The write barrier for object references stored in fields, globals and object arrays.
template <class T>
inline void gc_assign(T*& field, T* value) {
  if constexpr (std::is_base_of<gc_object, T>::value) {
    if (value) gc_queue(value);
  } else {
    if (value) gc_queue_iface(value);
  }
  field = value;
}

// The program's root marking (queues every global that holds an object); installed by the program.
extern void (*gc_mark_roots)();
inline void gc_mark() {
  if (gc_mark_roots) gc_mark_roots();
}

// One collection step; `delegate` is shaded first. Ends the cycle once 8 MiB were allocated
// (heap and external bytes together), otherwise marks in proportion to the allocation since the last cycle.
void gc_collect_step(gc_object* delegate);

// Walks the four lists and checks the collector's invariants; returns an empty string when sound,
// else a description of the first fault. For tests and debugging.
const char* gc_check_heap();

// Bytes and object counts on a list, for the statistics display and tests.
int gc_list_count(const gc_object* head);
