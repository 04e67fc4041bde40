// Calls the string entry points from compiled code and traces each result, one line per check.
#include "quillet.h"

using quillet::Str;

extern "C" QlStringHeader from_project;

namespace {

void trace_number(int32_t n) {
  char digits[12];
  int at = 11;
  digits[at] = 0;
  bool negative = n < 0;
  uint32_t magnitude = negative ? 0u - static_cast<uint32_t>(n) : static_cast<uint32_t>(n);
  do {
    digits[--at] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude);
  if (negative) digits[--at] = '-';
  Str line(RuntimeAddString(QL_STR("n="), nullptr));
  int32_t length = 11 - at;
  for (int i = 0; i < length; ++i) {
    Str digit(StringChr(digits[at + i]));
    line = Str(RuntimeAddString(line.get(), digit.get()));
  }
  lineTrace(line.get());
}

}  // namespace

extern "C" void app_entry() {
  quillet::start_runtime();
  Str joined(RuntimeAddString(QL_STR("Hello, "), QL_STR("world")));
  lineTrace(joined.get());                                               // Hello, world
  trace_number(StringLen(joined.get()));                                 // n=12
  trace_number(RuntimeStringCompare(QL_STR("apple"), QL_STR("APPLE")));  // n=0
  trace_number(StringStrCompare(QL_STR("apple"), QL_STR("APPLE"), 0));   // n=1
  trace_number(StringStrCompare(QL_STR("ab"), QL_STR("abc"), 0));        // n=-1
  // Adding the empty string hands back the same header with one more reference.
  QlString same = RuntimeAddString(joined.get(), nullptr);
  trace_number(same == joined.get() ? joined.get()->count : -1);  // n=2
  RuntimeUnlockString(same);
  Str letter(StringChr(321));
  lineTrace(letter.get());  // A
  Str two_bytes(StringDBCSChr(321));
  trace_number(StringLen(two_bytes.get()) * 1000 + StringAsc(two_bytes.get()));  // n=2001
  Str accented(StringChr(0xE9));
  trace_number(StringAsc(accented.get()));  // n=233
  Str left(StringDBCSLeft(joined.get(), 5));
  lineTrace(left.get());  // Hello
  Str middle(StringDBCSMid3(joined.get(), 8, 5));
  lineTrace(middle.get());   // world
  lineTrace(&from_project);  // declared in the project
  lineTrace(nullptr);        // (empty line)
  RuntimeRun();
}
