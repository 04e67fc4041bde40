// Entry points of the runtime string.
#pragma once

#include "quillet/types.h"

QL_API void RuntimeLockString(QlString s);
QL_API void RuntimeUnlockString(QlString s);
QL_API QlString RuntimeAddString(QlString a, QlString b);
QL_API int32_t RuntimeStringCompare(QlString a, QlString b);
QL_API int32_t StringStrCompare(QlString a, QlString b, int32_t mode);
QL_API const char* StringToCString(QlString s);
QL_API const char* StringGetCString(QlString s);
QL_API const uint8_t* StringToPString(QlString s);
QL_API const uint8_t* StringGetPString(QlString s);
QL_API int32_t StringLen(QlString s);
QL_API int32_t StringAsc(QlString s);
QL_API QlString StringChr(int32_t n);
QL_API QlString String(QlString s);
QL_API QlString stringGetter(QlObject* object, int32_t offset);
QL_API void stringSetter(QlObject* object, int32_t offset, QlString value);

QL_API int32_t StringDBCSLen(QlString s);
QL_API QlString StringDBCSLeft(QlString s, int32_t n);
QL_API QlString StringDBCSRight(QlString s, int32_t n);
QL_API QlString StringDBCSMid2(QlString s, int32_t start);
QL_API QlString StringDBCSMid3(QlString s, int32_t start, int32_t n);
QL_API int32_t StringDBCSAsc(QlString s);
QL_API QlString StringDBCSChr(int32_t n);
