// Lists of rows as the pool keeps them, numbers separated by single spaces: membership, removal, and a row
// put first or last.
#include "cloze.h"

namespace loquat {

namespace {

Str padded(QlString rows) { return cat(QL_STR(" "), rows, QL_STR(" ")); }

}  // namespace

bool has_row(QlString rows, QlString row) {
  Str list = padded(rows);
  Str entry = padded(row);
  return !is_empty(row) && contains(list.get(), entry.get());
}

Str without_row(QlString rows, QlString row) {
  Str list = padded(rows);
  Str entry = padded(row);
  Str rest = replace_all(list.get(), entry.get(), QL_STR(" "));
  return trim(rest.get());
}

Str with_row_first(QlString rows, QlString row) {
  Str rest = without_row(rows, row);
  Str joined = cat(row, QL_STR(" "), rest.get());
  return trim(joined.get());
}

Str with_row_last(QlString rows, QlString row) {
  Str rest = without_row(rows, row);
  Str joined = cat(rest.get(), QL_STR(" "), row);
  return trim(joined.get());
}

Str first_rows(QlString rows, int32_t count) {
  int32_t n = count_fields(rows, QL_STR(" "));
  if (n <= count) return Str::borrow(rows);
  Str first;
  for (int32_t i = 1; i <= count; ++i) {
    Str row = nth_field(rows, QL_STR(" "), i);
    first = cat(first.get(), QL_STR(" "), row.get());
  }
  return trim(first.get());
}

}  // namespace loquat
