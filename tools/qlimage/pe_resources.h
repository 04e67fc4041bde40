// Finds the PICKLE resource (type "PICKLE", id 101, any language) in a PE32 or PE32+ file by walking its
// resource directory, and reports where its bytes are in the file.
#pragma once

#include <stdint.h>

#include <optional>
#include <string>

#include "qlimage/bytes.h"

namespace qlimage {

struct ResourceLocation {
  uint64_t file_offset = 0;
  uint32_t size = 0;
};

bool is_pe_file(ByteView file);

// nullopt when the file is not a well-formed PE file or has no such resource; `problem` says which.
std::optional<ResourceLocation> find_pickle_resource(ByteView file, std::string& problem);

}  // namespace qlimage
