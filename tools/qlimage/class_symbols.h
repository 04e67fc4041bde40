// The symbols that class descriptors name: code addresses bound to code sections, and instance sizes read
// from the data of constants that the compiled code defines (so that sizeof() of the target's layout is
// what the image holds).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "qlimage/coff.h"
#include "qlimage/link_model.h"

namespace qlimage {

// A place in a code section; on failure `problem` says what the symbol is instead ("is not defined by any
// input object", ...).
std::optional<Target> bind_code_symbol(const std::vector<coff::ObjectFile>& objects,
                                       const Resolution& resolution, std::string_view name,
                                       std::string& problem);

// The 32-bit little-endian value that an initialised data symbol (or an absolute symbol) holds.
std::optional<uint32_t> read_data_word(const std::vector<coff::ObjectFile>& objects,
                                       const Resolution& resolution, std::string_view name,
                                       std::string& problem);

}  // namespace qlimage
