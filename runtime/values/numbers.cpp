// Numeric conversion, colours and bitwise operators.
#include "values/numbers.h"

#include "quillet/variants.h"

int32_t FPToInt(double value) { return ql::fp_to_int(value); }

double IntToFP(int32_t value) { return value; }

int32_t RuntimeRGB(int32_t red, int32_t green, int32_t blue) { return ql::rgb(red, green, blue); }

int32_t BitwiseAnd(int32_t a, int32_t b) { return a & b; }
int32_t BitwiseOr(int32_t a, int32_t b) { return a | b; }
int32_t BitwiseXor(int32_t a, int32_t b) { return a ^ b; }
