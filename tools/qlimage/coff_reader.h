// Parses a relocatable COFF object. Everything is checked against the file's size; a malformed object
// yields errors naming the object and what is wrong, never a partial result.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "qlimage/coff.h"
#include "qlimage/diagnostics.h"

namespace qlimage::coff {

std::optional<ObjectFile> read_object(const std::string& name, std::span<const uint8_t> bytes,
                                      Diagnostics& diagnostics);

}  // namespace qlimage::coff
