// StringCountFields and StringNthField.
#include "values/string_fields.h"

#include "quillet/string_library.h"
#include "values/string.h"
#include "values/string_search.h"

namespace ql {

int32_t count_fields(QlString s, QlString separator, const CodePage* dbcs) {
  if (string_length(s) == 0) return 0;
  if (string_length(separator) == 0) return 1;
  TextSearch search(s, separator, dbcs);
  int32_t fields = 1;
  for (int32_t at = search.next(0); at >= 0;
       at = search.next(static_cast<int64_t>(at) + search.find_length())) {
    ++fields;
  }
  return fields;
}

QlString nth_field(QlString s, QlString separator, int32_t n, const CodePage* dbcs) {
  if (string_length(s) == 0 || string_length(separator) == 0 || n < 1) return nullptr;
  TextSearch search(s, separator, dbcs);
  int32_t begin = 0;
  for (int32_t field = 1; field < n; ++field) {
    int32_t at = search.next(begin);
    if (at < 0) return nullptr;
    begin = at + search.find_length();
  }
  int32_t end = search.next(begin);
  if (end < 0) end = string_length(s);
  return string_mid3(s, begin + 1, end - begin);
}

}  // namespace ql

int32_t StringCountFields(QlString s, QlString separator) {
  return ql::count_fields(s, separator, ql::dbcs_code_page());
}

QlString StringNthField(QlString s, QlString separator, int32_t n) {
  return ql::nth_field(s, separator, n, ql::dbcs_code_page());
}
