// The symbols that the project's records name: code addresses bound to code sections, data globals bound to
// writable data, and instance sizes read from the data of constants that the compiled code defines (so that
// sizeof() of the target's layout is what the image holds).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "qlimage/link_model.h"

namespace qlimage {

// A place in a code section; on failure `problem` says what the symbol is instead ("is not defined by any
// input object", ...).
std::optional<SymbolTarget> bind_code_symbol(const Resolution& resolution, std::string_view name,
                                             std::string& problem);

// A place in writable data (initialised or zero-filled) with room for `size` bytes.
std::optional<SymbolTarget> bind_data_symbol(const Resolution& resolution, std::string_view name,
                                             uint32_t size, std::string& problem);

// The 32-bit little-endian value that an initialised data symbol (or an absolute symbol) holds.
std::optional<uint32_t> read_data_word(const Resolution& resolution, std::string_view name,
                                       std::string& problem);

}  // namespace qlimage
