// The runtime string inside the runtime: building, references, views, substrings and the comparisons the
// runtime makes on its own account. Every QlString argument is borrowed; every QlString result is a new
// reference the caller gives back (string_release or StringRef). Null is the empty string.
#pragma once

#include <stdint.h>

#include "quillet/types.h"

namespace ql {

// Building. A buffer the pool refuses makes the result empty; a header it refuses ends the process.
QlString string_from_bytes(const void* bytes, int32_t n);  // null bytes: sized, text left to the caller
QlString string_from_cstr(const char* s);                  // null: empty
QlString string_from_pstr(const uint8_t* p);               // length byte, then text; null: empty
QlString string_from_int(int32_t value);                   // "%d"
QlString string_append_byte(QlString s, uint8_t byte);     // s followed by byte
QlString string_concat(QlString a, QlString b);            // an empty operand returns the other one

// References. A count found at 0 is reported as a broken ownership rule and changed all the same.
void string_retain(QlString s);
void string_release(QlString s);
// Gives back what variable held and takes a reference to value; assigning a string to itself does nothing.
void string_assign(QlString& variable, QlString value);

// Borrowed views, valid while the string lives; null answers static empties.
const char* string_cview(QlString s);     // NUL-terminated text
const uint8_t* string_pview(QlString s);  // length byte (saturating at 255), then the text
int32_t string_length(QlString s);

// The only way to change text in place. Checks 0 <= i < length and first gives the holder a private copy
// when the string is shared. The result addresses byte i of a text that runs contiguously to the length.
// Out of range (and any index into the empty string) answers a scratch byte after reporting the fault.
uint8_t* string_writable_byte(QlString& s, int32_t i);

// Substrings by byte; positions are 1-based. When the result is the whole text, s itself is returned.
QlString string_left(QlString s, int32_t n);
QlString string_right(QlString s, int32_t n);
QlString string_mid2(QlString s, int32_t start);
QlString string_mid3(QlString s, int32_t start, int32_t n);

// -1, 0 or 1. Byte by byte through the folding table (ASCII case ignored); a prefix is less.
int string_compare_folded(QlString a, QlString b);
int string_compare_folded_cstr(QlString a, const char* b);  // null b: empty
// -1, 0 or 1. Unsigned bytes; a prefix is less.
int string_compare_bytes(QlString a, QlString b);

}  // namespace ql
