// Conversions between runtime strings and the UTF-8 byte strings that Linux file names and programs use.
#pragma once
#include <string>

#include "runtime/string.h"

// UTF-8 of a runtime string; a surrogate pair becomes one four-byte sequence (so it names the real file),
// a lone surrogate its three-byte form. Stops at a unit 0, which no file name can hold.
std::string StringToUtf8Path(const String& s);
// A runtime string from UTF-8 bytes; bytes that are not valid UTF-8 are taken one by one (Latin-1).
String Utf8PathToString(const char* bytes, int length);
