// The generic stack behind c_Stack, c_Stack2, c_StringStack and c_Stack3: an array and a count in use.
#pragma once
#include "runtime/array.h"
#include "runtime/object.h"

template <class T>
struct rt_Stack : Object {
  Array<T> m_data;
  int m_length = 0;

  // The nil value a popped or cleared slot gets (null, or the empty string).
  static T NilValue() { return T(); }

  rt_Stack* m_new() { return this; }
  rt_Stack* m_new2(const Array<T>& values) {
    gc_assign(m_data, values.Resize(values.Length()));
    m_length = m_data.Length();
    return this;
  }

  void p_Push(const T& value) {
    if (m_length == m_data.Length()) Grow(m_length * 2 + 10);
    gc_store(m_data[m_length], value);
    ++m_length;
  }
  void p_Push2(const Array<T>& values, int offset, int count) {
    for (int i = 0; i < count; ++i) p_Push(values[offset + i]);
  }
  void p_Push3(const Array<T>& values, int offset) { p_Push2(values, offset, values.Length() - offset); }
  int p_Length() const { return m_length; }
  T p_Get(int i) const { return m_data[i]; }
  Array<T> p_ToArray() const {
    Array<T> r(m_length);
    for (int i = 0; i < m_length; ++i) r[i] = m_data[i];
    return r;
  }

  void mark() override { gc_mark(m_data); }

 protected:
  void Grow(int capacity) { gc_assign(m_data, m_data.Resize(capacity)); }
};

// The string stack: also cleared and resized in place.
struct c_Stack2 : rt_Stack<String> {
  c_Stack2* m_new() { return this; }
  void p_Clear() {
    for (int i = 0; i < m_length; ++i) m_data[i] = String();
    m_length = 0;
  }
  void p_Length(int n) {
    if (n < m_length) {
      for (int i = n; i < m_length; ++i) m_data[i] = String();
    } else if (n > m_data.Length()) {
      int capacity = m_length * 2 + 10;
      Grow(capacity > n ? capacity : n);
    }
    m_length = n;
  }
  using rt_Stack<String>::p_Length;
};

struct c_StringStack : c_Stack2 {
  c_StringStack* m_new() { return this; }
  String p_Join(const String& sep) const { return sep.Join(p_ToArray()); }
};
