// `qlimage attach`: the image (and resource index) behind the runtime executable, or development files.
#include "qlimage/attach.h"

#include <string.h>

#include "image/image_format.h"
#include "qlimage/image_inspection.h"
#include "qlimage/pe_resources.h"

namespace qlimage {
namespace {

constexpr uint64_t kImageAlignment = 16;

}  // namespace

std::optional<Image> load_image_file(const std::string& name, const Bytes& file, Diagnostics& diagnostics) {
  std::string problem;
  uint64_t end = 0;
  std::optional<Image> image = parse_image(ByteView(file), 0, file.size(), end, problem);
  if (!image) {
    diagnostics.error(name + ": not a valid image: " + problem);
    return std::nullopt;
  }
  if (end != file.size()) {
    diagnostics.error(name + ": " + std::to_string(file.size() - end) + " bytes follow data2 at offset " +
                      hex(end) + "; an image is exactly four blocks");
    return std::nullopt;
  }
  ImageReport report = inspect_image(*image);
  for (const std::string& p : report.problems) diagnostics.error(name + ": " + p);
  if (!report.problems.empty()) return std::nullopt;
  return image;
}

bool check_resource_index(const std::string& name, const Bytes& file, Diagnostics& diagnostics) {
  if (file.size() < 4) {
    diagnostics.error(name + ": a resource index starts with a 4-byte count; the file has " +
                      std::to_string(file.size()) + " bytes");
    return false;
  }
  uint64_t count = load_u32_be(file.data());
  uint64_t data = 4 + 4 * count;
  if (data > file.size()) {
    diagnostics.error(name + ": the resource index claims " + std::to_string(count) +
                      " resources, but their offset table runs past the end of the file");
    return false;
  }
  for (uint64_t r = 0; r < count; ++r) {
    uint32_t offset = load_u32_be(file.data() + 4 + 4 * r);
    if (data + offset > file.size()) {
      diagnostics.error(name + ": resource " + std::to_string(r + 1) + " starts at " + hex(offset) +
                        ", past the end of the file");
      return false;
    }
  }
  return true;
}

std::optional<Bytes> attach_image(const std::string& runtime_name, const Bytes& runtime, const Image& image,
                                  const Bytes* resources, Diagnostics& diagnostics) {
  if (resources && !check_resource_index("the resource index", *resources, diagnostics)) return std::nullopt;
  std::string problem;
  std::optional<ResourceLocation> pickle = find_pickle_resource(ByteView(runtime), problem);
  if (!pickle) {
    diagnostics.error(runtime_name + ": " + problem + "; give the runtime executable (loquat.exe) as built");
    return std::nullopt;
  }
  if (pickle->size < ql::image::kPickleSize) {
    diagnostics.error(runtime_name + ": the PICKLE resource has " + std::to_string(pickle->size) +
                      " bytes; it needs 8 for the image and resource index offsets");
    return std::nullopt;
  }
  const uint8_t* current = runtime.data() + pickle->file_offset;
  if (memcmp(current, ql::image::kDevelopmentMarker, 4) != 0) {
    diagnostics.error(runtime_name +
                      ": already carries an application image (its PICKLE resource points to file "
                      "offset " +
                      hex(load_u32(current)) + "); attach to the runtime executable as built");
    return std::nullopt;
  }
  Bytes out = runtime;
  pad_to(out, kImageAlignment);
  uint64_t image_offset = out.size();
  append_bytes(out, serialize_image(image));
  uint64_t index_offset = ql::image::kNoResourceIndex;
  if (resources) {
    index_offset = out.size();
    append_bytes(out, *resources);
  }
  if (out.size() > 0xFFFFFFFFull) {
    diagnostics.error(
        "the executable with its image would exceed 4 GiB, more than the PICKLE offsets can address");
    return std::nullopt;
  }
  store_u32(out.data() + pickle->file_offset, static_cast<uint32_t>(image_offset));
  store_u32(out.data() + pickle->file_offset + 4, static_cast<uint32_t>(index_offset));
  return out;
}

}  // namespace qlimage
