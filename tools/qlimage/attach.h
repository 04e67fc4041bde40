// `qlimage attach`: puts an image (and optionally a resource index) behind the runtime executable and
// points its PICKLE resource at them, or writes the development-mode files instead.
#pragma once

#include <optional>
#include <string>

#include "qlimage/bytes.h"
#include "qlimage/diagnostics.h"
#include "qlimage/image.h"

namespace qlimage {

// Checks a serialised image file: exactly four blocks, nothing after them, and contents that the runtime
// can load (see image_inspection.h). Errors are reported under `name`.
std::optional<Image> load_image_file(const std::string& name, const Bytes& file, Diagnostics& diagnostics);

// Checks a resource index: a big-endian count, that many big-endian offsets, each inside the file.
bool check_resource_index(const std::string& name, const Bytes& file, Diagnostics& diagnostics);

// The runtime with the image (and the resource index, when not null) appended and the PICKLE resource set.
// The runtime must be as built: its PICKLE resource still selects development mode.
std::optional<Bytes> attach_image(const std::string& runtime_name, const Bytes& runtime, const Image& image,
                                  const Bytes* resources, Diagnostics& diagnostics);

}  // namespace qlimage
