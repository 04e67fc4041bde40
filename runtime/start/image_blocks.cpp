// Reading the four blocks of the image from the program file or from the development files.
#include "start/image_blocks.h"

#include "platform/platform.h"

namespace ql::image {

namespace {

using platform::FileHandle;

struct OpenFile {
  FileHandle handle;
  explicit OpenFile(FileHandle h) : handle(h) {}
  ~OpenFile() {
    if (handle != platform::kNoFile) platform::file_close(handle);
  }
};

bool read_exact(FileHandle file, void* buffer, int64_t n) {
  return n == 0 || platform::file_read(file, buffer, n) == n;
}

}  // namespace

const char* block_name(Block block) {
  static const char* const kNames[kBlockCount] = {"code1", "code2", "data1", "data2"};
  return kNames[block];
}

bool read_image_blocks(const char* path, int64_t offset, ImageBlocks& out, std::string& error) {
  OpenFile file(platform::file_open_read(path));
  if (file.handle == platform::kNoFile) {
    error = std::string("the program file ") + path + " could not be opened";
    return false;
  }
  int64_t size = platform::file_size(file.handle);
  if (size < 0 || offset < 0 || offset > size || !platform::file_seek(file.handle, offset)) {
    error = "the image offset " + std::to_string(offset) + " lies outside the program file of " +
            std::to_string(size) + " bytes";
    return false;
  }
  int64_t position = offset;
  for (int b = 0; b < kBlockCount; ++b) {
    Block block = static_cast<Block>(b);
    uint8_t length_bytes[4];
    if (size - position < 4 || !read_exact(file.handle, length_bytes, 4)) {
      error = std::string("the program file ends before the length of block ") + block_name(block);
      return false;
    }
    position += 4;
    uint32_t length = length_bytes[0] | length_bytes[1] << 8 | length_bytes[2] << 16 |
                      static_cast<uint32_t>(length_bytes[3]) << 24;
    if (length > size - position) {
      error = std::string("block ") + block_name(block) + " claims " + std::to_string(length) +
              " bytes but only " + std::to_string(size - position) + " remain in the program file";
      return false;
    }
    out[block].resize(length);
    if (!read_exact(file.handle, out[block].data(), length)) {
      error = std::string("block ") + block_name(block) + " could not be read from the program file";
      return false;
    }
    position += length;
  }
  return true;
}

bool read_development_blocks(ImageBlocks& out, std::string& error) {
  static const Block kOrder[kBlockCount] = {kCode1, kData1, kCode2, kData2};
  for (Block block : kOrder) {
    const char* name = kDevelopmentFiles[block];
    OpenFile file(platform::file_open_read(name));
    int64_t size = file.handle == platform::kNoFile ? -1 : platform::file_size(file.handle);
    if (size < 0 || size > 0x7FFFFFFF) {
      error = std::string("the development file ") + name + " could not be read from the current folder";
      return false;
    }
    out[block].resize(static_cast<size_t>(size));
    if (!read_exact(file.handle, out[block].data(), size)) {
      error = std::string("the development file ") + name + " could not be read";
      return false;
    }
  }
  return true;
}

}  // namespace ql::image
