// Entry points of variants and numbers: the Variant value, conversions between floating point and
// integers, random numbers, the tick clock, colours, bitwise operators and the mathematical functions.
#pragma once

#include <stdbool.h>

#include "quillet/types.h"

// A variant is an object of the built-in class Variant holding one typed value. Each constructor returns a
// new variant with one reference for the caller; a string is kept with a reference of its own, an object
// with a lock of its own.
QL_API QlObject* intToVariant(int32_t value);
QL_API QlObject* doubleToVariant(double value);
QL_API QlObject* stringToVariant(QlString value);
QL_API QlObject* booleanToVariant(bool value);
QL_API QlObject* objectToVariant(QlObject* value);
QL_API QlObject* getNilVariant(void);

// Conversions. A variant whose type does not convert raises a typeMismatchException and yields 0, 0.0,
// false, the empty string or nil; a nil reference raises a NilObjectException.
QL_API int32_t variantToInt(QlObject* variant);
QL_API double variantToDouble(QlObject* variant);
QL_API bool variantToBoolean(QlObject* variant);
QL_API QlString variantToString(QlObject* variant);
QL_API QlObject* variantToObject(QlObject* variant);

// The type code: 1 nil, 2 integer, 5 double, 8 string, 11 boolean, 13 object; 0 for a nil reference.
QL_API int32_t VarType(QlObject* variant);
QL_API bool IsNumeric(QlObject* variant);  // integer and double only
QL_API bool IsNull(QlObject* variant);     // the nil variant only, not a nil reference

// Toward zero; outside the 32-bit range (and NaN) -2147483648.
QL_API int32_t FPToInt(double value);
QL_API double IntToFP(int32_t value);

// The system's millisecond counter: in ticks of 16 ms, and times 1000.
QL_API int32_t RuntimeTicks(void);
QL_API double RuntimeMicroseconds(void);
// The local date and time now, in seconds since 1904-01-01 00:00 (a Date's TotalSeconds).
QL_API double RuntimeTotalSeconds(void);
// Uniform in [0, 1), in steps of 2^-20; seeded from the clock on the first call.
QL_API double rnd(void);

// 0x00RRGGBB, each component clamped to 0 to 255.
QL_API int32_t RuntimeRGB(int32_t red, int32_t green, int32_t blue);
QL_API int32_t BitwiseAnd(int32_t a, int32_t b);
QL_API int32_t BitwiseOr(int32_t a, int32_t b);
QL_API int32_t BitwiseXor(int32_t a, int32_t b);

QL_API double RuntimeSin(double x);
QL_API double RuntimeCos(double x);
QL_API double RuntimeTan(double x);
QL_API double RuntimeASin(double x);
QL_API double RuntimeACos(double x);  // NaN outside -1 to 1
QL_API double RuntimeATan(double x);
QL_API double RuntimeATan2(double y, double x);
QL_API double RuntimeExp(double x);
QL_API double RuntimeLog(double x);  // natural logarithm
QL_API double RuntimePow(double x, double y);
QL_API double RuntimeSqrt(double x);
QL_API double RuntimeCeil(double x);
QL_API double RuntimeFloor(double x);
QL_API double RuntimeRound(double x);  // halves up: 2.5 gives 3, -2.5 gives -2
QL_API double RuntimeAbs(double x);
QL_API double RuntimeMax(double a, double b);
QL_API double RuntimeMin(double a, double b);
