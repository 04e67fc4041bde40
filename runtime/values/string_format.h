// Formatting a number through a picture such as "#,##0.00;(#,##0.00);\z\e\r\o".
#pragma once

#include <string>
#include <string_view>

#include "quillet/types.h"
#include "values/code_page.h"
#include "values/number_locale.h"

namespace ql {

// x through one picture; negative marks a number whose sign the picture's "+" and "-" show.
std::string format_picture(double x, bool negative, std::string_view picture, const NumberSeparators& locale);

// x through format: up to three sections separated by ";" for positive, negative and zero numbers, or
// "Scientific" in any case.
QlString format_number(double x, QlString format, const NumberSeparators& locale, const CodePage* dbcs);

}  // namespace ql
