// Menu texts as the platform menu is given them.
#pragma once

#include <string>
#include <string_view>

namespace ql {

// "&" before an ASCII letter or digit stays the platform's mark of the access key, which the platform
// underlines; any other "&" ("Some & Any", a final "&", "&&") is shown as written, so it is doubled.
std::string platform_label(std::string_view text);

}  // namespace ql
