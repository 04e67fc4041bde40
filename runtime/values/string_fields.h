// Splitting a string into fields at a separator, matched without regard to case.
#pragma once

#include <stdint.h>

#include "quillet/types.h"
#include "values/code_page.h"

namespace ql {

// 0 for an empty s, 1 for an empty separator, else 1 plus the separators found left to right.
int32_t count_fields(QlString s, QlString separator, const CodePage* dbcs);
// Field n (1-based); empty for an empty s or separator, n below 1, or n beyond the last field. A separator
// at the end makes a last, empty field.
QlString nth_field(QlString s, QlString separator, int32_t n, const CodePage* dbcs);

}  // namespace ql
