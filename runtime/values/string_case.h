// Case changes of the string library.
#pragma once

#include "quillet/types.h"
#include "values/code_page.h"

namespace ql {

// A copy of s passed through change over its whole length; null stays null.
QlString changed_case(QlString s, void (*change)(char* text, uint32_t length));

// Each word's first character upper-cased and the rest lower-cased; words are separated by characters the
// code page classes as space or blank, so punctuation or a digit takes a word's start.
QlString title_case(QlString s, const CodePage& code_page);

}  // namespace ql
