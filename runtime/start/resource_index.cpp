// Lookups in the resource index (data3) of the program file or of the development file.
#include "start/resource_index.h"

#include "image/image_format.h"
#include "start/runtime_state.h"

namespace ql {

namespace {

bool read_be_word(platform::FileHandle file, int64_t at, uint32_t& value) {
  uint8_t bytes[4];
  if (!platform::file_seek(file, at) || platform::file_read(file, bytes, 4) != 4) return false;
  value = static_cast<uint32_t>(bytes[0]) << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
  return true;
}

platform::FileHandle index_file(const LoadedImage& image) {
  static platform::FileHandle file = platform::kNoFile;
  if (file != platform::kNoFile) return file;
  if (image.development_mode) {
    file = platform::file_open_read(image::kDevelopmentResourceIndexFile);
  } else {
    char path[513];
    if (platform::program_file_path(path, sizeof path)) file = platform::file_open_read(path);
  }
  return file;
}

}  // namespace

bool lookup_in_index(platform::FileHandle file, int64_t base, int32_t number, int64_t& offset) {
  uint32_t count, entry;
  if (number <= 0 || !read_be_word(file, base, count) || static_cast<uint32_t>(number) > count ||
      !read_be_word(file, base + 4 * static_cast<int64_t>(number), entry))
    return false;
  offset = base + 4 * static_cast<int64_t>(count) + 4 + entry;
  return true;
}

bool resource_lookup(int32_t number, platform::FileHandle& file, int64_t& offset) {
  const LoadedImage& image = runtime_state().image;
  if (number <= 0 || image.resource_index_offset == image::kNoResourceIndex) return false;
  platform::FileHandle index = index_file(image);
  if (index == platform::kNoFile || !lookup_in_index(index, image.resource_index_offset, number, offset))
    return false;
  file = index;
  return true;
}

}  // namespace ql
