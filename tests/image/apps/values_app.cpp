// The string library, arrays, variants and numbers called from compiled code, one traced line per check.
#include "quillet.h"

using quillet::Str;

namespace {

void trace_number(double x) {
  Str text(StringStr(x));
  lineTrace(text.get());
}

}  // namespace

extern "C" void app_entry() {
  quillet::start_runtime();
  Str table(RuntimeAddString(QL_STR("one,two,"), QL_STR("three")));
  Str second(StringNthField(table.get(), QL_STR(","), 2));
  lineTrace(second.get());                                          // two
  trace_number(StringCountFields(QL_STR("a;b;;c;"), QL_STR(";")));  // 5
  Str replaced(StringReplaceAll(QL_STR("a cat and a hat"), QL_STR("AT"), QL_STR("atat")));
  lineTrace(replaced.get());  // a catat and a hatat
  Str trimmed(runTrim(QL_STR("  padded  ")));
  lineTrace(trimmed.get());  // padded
  Str formatted(StringFormat(1234.5, QL_STR("#,##0.00")));
  lineTrace(formatted.get());                                     // 1,234.50
  trace_number(StringVal(QL_STR("&hFF")));                        // 255
  trace_number(StringInStr(1, QL_STR("Loquat"), QL_STR("QUA")));  // 3

  // A string array of bound 2, filled out of order, sorted, read back.
  QlArray* words = RuntimeCreateArray();
  RuntimeArrayCreateAddIndex(words, 0, 2);
  RuntimeDirectWriteStringArray(words, 0, QL_STR("pear"));
  RuntimeDirectWriteStringArray(words, 1, QL_STR("Apple"));
  RuntimeDirectWriteStringArray(words, 2, QL_STR("fig"));
  RuntimeStringArrayAppend(words, QL_STR("banana"));
  RuntimeStringArraySort(words);
  trace_number(RuntimeUBound(words));  // 3
  for (int32_t i = 0; i <= 3; ++i) {
    Str word(RuntimeDirectReadStringArray(words, i));
    lineTrace(word.get());  // Apple banana fig pear
  }
  RuntimeDisposeStringArray(words);

  // A two-dimensional integer array read before any write.
  QlArray* grid = RuntimeCreateArray();
  RuntimeArrayCreateAddIndex(grid, 0, 3);
  RuntimeArrayCreateAddIndex(grid, 0, 4);
  RuntimeArrayStartReadAccess(grid, 2);
  trace_number(RuntimeReadIntArray(grid, 3));  // 0
  RuntimeArrayStartWriteAccess(grid, 2);
  RuntimeWriteIntArray(grid, 3, 42);
  RuntimeArrayStartReadAccess(grid, 2);
  trace_number(RuntimeReadIntArray(grid, 3));  // 42
  RuntimeDisposeIntArray(grid);

  QlObject* number = stringToVariant(QL_STR("42abc"));
  trace_number(variantToInt(number));  // 42
  RuntimeUnlockObject(number);
  QlObject* half = doubleToVariant(2.75);
  Str half_text(variantToString(half));
  lineTrace(half_text.get());  // 2.75
  RuntimeUnlockObject(half);
  trace_number(FPToInt(-3.9));             // -3
  trace_number(RuntimeRGB(300, 128, -5));  // 16744448
  double r = rnd();
  lineTrace(r >= 0 && r < 1 ? QL_STR("rnd in range") : QL_STR("rnd out of range"));
  RuntimeRun();
}
