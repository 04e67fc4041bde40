// Replacing matches of a text, found without regard to case.
#pragma once

#include "quillet/types.h"
#include "values/code_page.h"

namespace ql {

// s with its first match of find replaced; s itself when there is none or find is empty.
QlString replace_first(QlString s, QlString find, QlString replacement, const CodePage* dbcs);
// s with every match replaced, scanning left to right; inserted text is never searched again. The result
// is built once, so the work is linear in its size. A result too long for a string is empty.
QlString replace_all(QlString s, QlString find, QlString replacement, const CodePage* dbcs);

}  // namespace ql
