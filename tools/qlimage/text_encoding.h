// Texts of the image are Windows-1252, the runtime's ANSI code page; the project file is UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qlimage {

// The Windows-1252 bytes of a UTF-8 text, or nullopt when it holds a character Windows-1252 lacks or is not
// valid UTF-8. `bad` receives the offending character (as U+XXXX) on failure.
std::optional<std::string> utf8_to_windows1252(std::string_view utf8, std::string* bad = nullptr);

// The UTF-8 text of Windows-1252 bytes; the five bytes Windows-1252 leaves undefined become the C1 controls
// of the same value, as Windows converts them, so that utf8_to_windows1252 gives the bytes back.
std::string windows1252_to_utf8(std::string_view bytes);

}  // namespace qlimage
