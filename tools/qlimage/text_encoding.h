// Texts of the image are Windows-1252, the runtime's ANSI code page; the project file is UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qlimage {

// The Windows-1252 bytes of a UTF-8 text, or nullopt when it holds a character Windows-1252 lacks or is not
// valid UTF-8. `bad` receives the offending character (as U+XXXX) on failure.
std::optional<std::string> utf8_to_windows1252(std::string_view utf8, std::string* bad = nullptr);

}  // namespace qlimage
