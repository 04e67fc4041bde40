// Whole-file reads and writes. Outputs are written to a temporary file beside the target and renamed over
// it, so a failed run never leaves a half-written image or executable behind.
#pragma once

#include <optional>
#include <string>

#include "qlimage/bytes.h"

namespace qlimage {

std::optional<Bytes> read_file(const std::string& path, std::string& error);
bool write_file(const std::string& path, const Bytes& bytes, std::string& error);

}  // namespace qlimage
