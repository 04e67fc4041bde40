// Lists of rows as the pool keeps them, numbers separated by single spaces: membership, removal, and a row
// put last.
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

Str with_row_last(QlString rows, QlString row) {
  Str rest = without_row(rows, row);
  Str joined = cat(rest.get(), QL_STR(" "), row);
  return trim(joined.get());
}

}  // namespace loquat
