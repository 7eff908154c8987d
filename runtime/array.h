// Array<T>: a fixed-length, zero-initialised array whose representation lives on the collected heap.
// Each element type has one shared static empty representation. Indexes are not range-checked.
#pragma once
#include <new>
#include <type_traits>

#include "runtime/gc.h"
#include "runtime/string.h"
#include "runtime/zero_fill.h"

namespace gc_detail {
// Shading of one element when an array is marked: collected objects at once, other types not at all.
template <class T>
inline void mark_elem(const T& v) {
  if constexpr (std::is_pointer<T>::value) {
    using P = typename std::remove_cv<typename std::remove_pointer<T>::type>::type;
    if constexpr (std::is_base_of<gc_object, P>::value) {
      gc_mark(v);
    } else if constexpr (std::is_base_of<gc_interface, P>::value) {
      gc_mark_iface(v);
    }
  }
}
}  // namespace gc_detail

template <class T>
struct ArrayRep : gc_object {
  int length;
  T data[1];  // `length` elements follow

  // data[0] is a real member, constructed and destroyed with the object; the elements after it live
  // in the extra bytes of the block and are constructed and destroyed here.
  // Numbers, flags and pointers start as zero bytes, which a large array gets without its pages
  // becoming resident; other element types are constructed one by one.
  explicit ArrayRep(int n) : length(n), data{} {
    if constexpr (std::is_arithmetic<T>::value || std::is_pointer<T>::value) {
      if (n > 1) rt_zero_fill(&data[1], sizeof(T) * size_t(n - 1));
    } else {
      for (int i = 1; i < n; ++i) new (&data[i]) T();
    }
  }
  explicit ArrayRep(static_tag t) : gc_object(t), length(0), data{} {}
  ~ArrayRep() override {
    if constexpr (!std::is_trivially_destructible<T>::value) {
      for (int i = 1; i < length; ++i) data[i].~T();
    }
  }
  void mark() override {
    if constexpr (std::is_pointer<T>::value) {
      for (int i = 0; i < length; ++i) gc_detail::mark_elem(data[i]);
    }
  }
  static ArrayRep* Create(int n) {
    if (n <= 0) return &nullRep;
    size_t extra = sizeof(T) * size_t(n - 1);
    return new (extra) ArrayRep(n);
  }
  static ArrayRep nullRep;
};

template <class T>
ArrayRep<T> ArrayRep<T>::nullRep{gc_object::static_tag{}};

template <class T>
class Array {
 public:
  Array() : rep(&ArrayRep<T>::nullRep) {}
  explicit Array(int length) : rep(ArrayRep<T>::Create(length)) {}
  Array(const T* src, int length) : rep(ArrayRep<T>::Create(length)) {
    for (int i = 0; i < length; ++i) rep->data[i] = src[i];
  }

  int Length() const { return rep->length; }
  T& operator[](int i) const { return rep->data[i]; }
  T* Data() const { return rep->data; }
  ArrayRep<T>* GetRep() const { return rep; }
  bool operator==(const Array& a) const { return rep == a.rep; }
  bool operator!=(const Array& a) const { return rep != a.rep; }

  // A new array of elements from..to-1 with the same clamping as String::Slice.
  Array Slice(int from, int to) const {
    int len = rep->length;
    if (from < 0) { from += len; if (from < 0) from = 0; }
    else if (from > len) from = len;
    if (to < 0) to += len;
    else if (to > len) to = len;
    if (from >= to) return Array();
    Array r(to - from);
    for (int i = from; i < to; ++i) r.rep->data[i - from] = rep->data[i];
    return r;
  }
  Array Slice(int from) const { return Slice(from, rep->length); }

  // A new array of `length` elements holding a copy of the first ones (for growth).
  Array Resize(int length) const {
    Array r(length);
    int n = length < rep->length ? length : rep->length;
    for (int i = 0; i < n; ++i) r.rep->data[i] = rep->data[i];
    return r;
  }

 private:
  ArrayRep<T>* rep;
};

// Arrays held in fields and globals are shaded immediately.
template <class T>
inline void gc_mark(const Array<T>& a) {
  gc_mark(a.GetRep());
}
template <class T>
inline void gc_assign(Array<T>& field, const Array<T>& value) {
  gc_mark(value.GetRep());
  field = value;
}

// Stores an element into a slot with the barrier that its type needs.
template <class T>
inline void gc_store(T& slot, const T& value) {
  if constexpr (std::is_pointer<T>::value) {
    gc_assign(slot, value);
  } else {
    slot = value;
  }
}
