// Entry points of the string library. String arguments are borrowed; string results are new references
// (give them back with RuntimeUnlockString); null is the empty string. Positions are 1-based.
#pragma once

#include "quillet/types.h"

// Substrings by byte; each returns the operand itself when the result is the whole text.
QL_API QlString StringLeft(QlString s, int32_t n);
QL_API QlString StringRight(QlString s, int32_t n);
QL_API QlString StringMid2(QlString s, int32_t start);
QL_API QlString StringMid3(QlString s, int32_t start, int32_t n);

// Case and blanks.
QL_API QlString StringUCase(QlString s);
QL_API QlString StringLCase(QlString s);
QL_API QlString StringTitleCase(QlString s);
QL_API QlString runLTrim(QlString s);
QL_API QlString runRTrim(QlString s);
QL_API QlString runTrim(QlString s);

// Searching and fields, ignoring case.
QL_API int32_t StringInStr(int32_t start, QlString s, QlString find);
QL_API int32_t StringDBCSInStr(int32_t start, QlString s, QlString find);
QL_API QlString StringReplace(QlString s, QlString find, QlString replacement);
QL_API QlString StringReplaceAll(QlString s, QlString find, QlString replacement);
QL_API int32_t StringCountFields(QlString s, QlString separator);
QL_API QlString StringNthField(QlString s, QlString separator, int32_t n);

// Numbers and text.
QL_API QlString StringStr(double x);
QL_API QlString runCStr(double x);
QL_API double StringVal(QlString s);
QL_API double runCDbl(QlString s);
QL_API QlString RuntimeHex(uint32_t n);
QL_API QlString RuntimeOct(uint32_t n);
QL_API QlString StringFormat(double x, QlString format);
