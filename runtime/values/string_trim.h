// Trimming blanks from either end of a string.
#pragma once

#include "quillet/types.h"
#include "values/code_page.h"

namespace ql {

enum TrimEnds { kTrimLeading = 1, kTrimTrailing = 2, kTrimBoth = 3 };

// dbcs null: blank bytes are those the white-space flags mark. Otherwise whole characters are dropped,
// those whose type the code page reports as space. s itself when nothing is dropped; null when nothing stays.
QlString trim(QlString s, TrimEnds ends, const CodePage* dbcs);

}  // namespace ql
