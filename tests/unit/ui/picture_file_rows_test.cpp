// Pictures opened from files, apart from the codecs: the sizes they may have and decoded rows turned into the
// rows of a picture record.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "ui/graphics/picture_file_rows.h"

namespace ql::testing {
namespace {

TEST(PictureFileRows, SizesUpTo64MiBOfRowsAndSixteenThousandPixelsASide) {
  EXPECT_EQ(file_picture_bytes(4, 2), 16u);
  EXPECT_EQ(file_picture_bytes(3, 2), 16u);  // rows of (3 + 1) / 2 * 4 bytes
  EXPECT_EQ(file_picture_bytes(8192, 4096), 64u << 20);
  EXPECT_EQ(file_picture_bytes(16384, 2048), 64u << 20);
  for (auto [width, height] :
       {std::pair{8193u, 4096u}, std::pair{16384u, 16384u}, std::pair{0u, 10u}, std::pair{10u, 0u},
        std::pair{16385u, 1u}, std::pair{1u, 16385u}, std::pair{0xFFFFFFFFu, 0xFFFFFFFFu}})
    EXPECT_EQ(file_picture_bytes(width, height), 0u) << width << " x " << height;
  EXPECT_EQ(decode_band_rows(8192), 32u);
  EXPECT_EQ(decode_band_rows(1), 262144u);
  EXPECT_EQ(decode_band_rows(300000), 1u);
}

TEST(PictureFileRows, DecodedRowsKeepTheTopFiveBitsOfEachComponentAndClearThePadding) {
  // Two rows of three pixels, blue, green, red, unused; rows 16 bytes apart.
  const uint8_t decoded[2][16] = {{0xFF, 0x00, 0x00, 0x99, 0x00, 0xFF, 0x00, 0x99, 0x00, 0x00, 0xFF, 0x99},
                                  {0x07, 0x08, 0xF8, 0x99, 0xFF, 0xFF, 0xFF, 0xFF, 0x10, 0x20, 0x30, 0x99}};
  std::vector<uint8_t> out(16, 0xAA);
  convert_decoded_rows(&decoded[0][0], 16, 3, 2, out.data());
  const uint16_t expected[2][4] = {{0x001F, 0x03E0, 0x7C00, 0}, {0x7C20, 0x7FFF, 0x1882, 0}};
  EXPECT_EQ(std::memcmp(out.data(), expected, sizeof expected), 0);
}

}  // namespace
}  // namespace ql::testing
