// The substring primitives as entry points.
#include "quillet/string_library.h"
#include "values/string.h"

QlString StringLeft(QlString s, int32_t n) { return ql::string_left(s, n); }

QlString StringRight(QlString s, int32_t n) { return ql::string_right(s, n); }

QlString StringMid2(QlString s, int32_t start) { return ql::string_mid2(s, start); }

QlString StringMid3(QlString s, int32_t start, int32_t n) { return ql::string_mid3(s, start, n); }
