// The object runtime's public face: collected objects, strings, arrays, stacks, output and fatal errors.
#pragma once
#include "runtime/array.h"      // Array<T>: collected fixed-length arrays
#include "runtime/error.h"      // rtPrint, rtError: output and the fatal path
#include "runtime/gc.h"         // the collector and its write barrier
#include "runtime/object.h"     // Object, ThrowableObject
#include "runtime/stack.h"      // the stacks
#include "runtime/string.h"     // String
