// The mathematical functions, through the standard library.
#include <math.h>

#include "quillet/variants.h"
#include "values/numbers.h"

namespace ql {

double round_half_up(double x) {
  double below = floor(x);
  // Exact: x and its floor are within one unit of each other and share an exponent range.
  return x - below >= 0.5 ? below + 1.0 : below;
}

double arc_cosine(double x) {
  if (x < -1.0 || x > 1.0) return NAN;
  return 2.0 * atan(sqrt((1.0 - x) / (1.0 + x)));
}

}  // namespace ql

double RuntimeSin(double x) { return sin(x); }
double RuntimeCos(double x) { return cos(x); }
double RuntimeTan(double x) { return tan(x); }
double RuntimeASin(double x) { return asin(x); }
double RuntimeACos(double x) { return ql::arc_cosine(x); }
double RuntimeATan(double x) { return atan(x); }
double RuntimeATan2(double y, double x) { return atan2(y, x); }
double RuntimeExp(double x) { return exp(x); }
double RuntimeLog(double x) { return log(x); }
double RuntimePow(double x, double y) { return pow(x, y); }
double RuntimeSqrt(double x) { return sqrt(x); }
double RuntimeCeil(double x) { return ceil(x); }
double RuntimeFloor(double x) { return floor(x); }
double RuntimeRound(double x) { return ql::round_half_up(x); }
double RuntimeAbs(double x) { return x < 0 ? -x : x; }
double RuntimeMax(double a, double b) { return a > b ? a : b; }
double RuntimeMin(double a, double b) { return a < b ? a : b; }
