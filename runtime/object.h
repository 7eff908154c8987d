// Object, the base of every translated class, and ThrowableObject, the base of what translated code throws.
#pragma once
#include "runtime/gc.h"
#include "runtime/string.h"

struct Object : gc_object {
  virtual bool Equals(Object* obj) { return this == obj; }
  virtual int Compare(Object* obj) { return int(reinterpret_cast<intptr_t>(this) - reinterpret_cast<intptr_t>(obj)); }
  virtual String debug() { return String("+Object\n"); }
};

// Thrown and caught as a pointer; one that escapes the app ends the program through the host.
struct ThrowableObject : Object {};
