// Reading the four blocks of the application image, from the program file or the development files.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "image/image_format.h"

namespace ql::image {

struct ImageBlocks {
  std::vector<uint8_t> blocks[kBlockCount];  // indexed by Block
  std::vector<uint8_t>& operator[](Block b) { return blocks[b]; }
};

const char* block_name(Block block);

// Image mode: the blocks back to back at offset in the file at path. Every length is checked against the
// file before anything is allocated; on failure error names the block and the problem.
bool read_image_blocks(const char* path, int64_t offset, ImageBlocks& out, std::string& error);

// Development mode: each block is a whole file of the current directory, read in the order
// code1, data1, code2, data2.
bool read_development_blocks(ImageBlocks& out, std::string& error);

}  // namespace ql::image
