// The platform-free side of pictures opened from files: the sizes such a picture may have, and the
// conversion of decoded 32-bit rows into the 5-5-5 rows of its picture record.
#pragma once

#include <stdint.h>

namespace ql {

// The pixel rows of a picture opened from a file hold at most 64 MiB (32 Mi pixels, 8192 x 4096 for
// instance). The picture keeps its rows twice once drawn, in its record and in its DIB section, and the
// delivered system is a 32-bit process whose 2 GiB of address space rarely has a free block much larger
// than a few hundred MiB; 16384 x 16384 would ask for 512 MiB of rows alone.
constexpr uint64_t kMaxFilePictureBytes = uint64_t{64} << 20;

// The byte count of the 16-bit rows of a width x height picture opened from a file, or 0 when a picture may
// not have that size: a side of 0 or above the image's own limit, or rows above kMaxFilePictureBytes.
uint32_t file_picture_bytes(uint32_t width, uint32_t height);

// How many rows to decode at once so that a band of 32-bit rows stays near 1 MiB; at least 1.
uint32_t decode_band_rows(uint32_t width);

// Converts `rows` rows of 32-bit pixels (blue, green, red, unused byte; `stride` bytes from one row to the
// next) into 5-5-5 rows written from `out`, row_bytes(16, width) apart: each component keeps its top five
// bits, bit 15 stays clear, and a row's padding is zero.
void convert_decoded_rows(const uint8_t* decoded, uint32_t stride, uint32_t width, uint32_t rows,
                          uint8_t* out);

}  // namespace ql
