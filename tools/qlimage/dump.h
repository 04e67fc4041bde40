// `qlimage dump`: a readable account of an image, or of an executable that carries one.
#pragma once

#include <ostream>
#include <string>

#include "qlimage/bytes.h"

namespace qlimage {

// Prints everything it can read and every problem it finds; returns false when something is wrong.
bool dump_file(const std::string& name, const Bytes& file, std::ostream& out);

}  // namespace qlimage
