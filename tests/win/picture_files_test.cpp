// Pictures opened from files through the platform's codecs: the largest size a picture opened from a file
// may have loads with every row in place, larger ones and files that cannot be read open as nil.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "driver_screenshots.h"
#include "files/folder_item.h"
#include "quillet/files.h"
#include "ui/graphics/picture.h"
#include "unit/files/file_test_support.h"
#include "win/support/ui_test_window.h"

namespace ql::testing {
namespace {

constexpr uint16_t kRed = 0x7C00, kBlue = 0x001F;

void put_u16(std::string& out, uint16_t v) { out.append({static_cast<char>(v), static_cast<char>(v >> 8)}); }
void put_u32(std::string& out, uint32_t v) {
  put_u16(out, static_cast<uint16_t>(v));
  put_u16(out, static_cast<uint16_t>(v >> 16));
}

// A run-length coded 8-bit BMP of width x height with a palette of red (0) and blue (1): rows from the top
// down to `blue_from` are red, the rest blue; with `rows` 0 it holds no pixel data, only its end. The file
// stores the bottom row first, each row as runs of at most 255 pixels. Small files stand for large pictures.
std::string rle8_bmp(uint32_t width, uint32_t height, uint32_t blue_from, uint32_t rows) {
  std::string data;
  for (uint32_t stored = 0; stored < rows; ++stored) {
    const char index = height - 1 - stored >= blue_from ? 1 : 0;
    for (uint32_t x = 0; x < width; x += 255) {
      data += static_cast<char>(width - x < 255 ? width - x : 255);
      data += index;
    }
    data.append({0, 0});  // end of line
  }
  data.append({0, 1});  // end of bitmap
  std::string out = "BM";
  const uint32_t offset = 14 + 40 + 8;
  put_u32(out, offset + static_cast<uint32_t>(data.size()));
  put_u32(out, 0);
  put_u32(out, offset);
  for (uint32_t word : {40u, width, height}) put_u32(out, word);
  put_u16(out, 1);
  put_u16(out, 8);
  for (uint32_t word : {1u /* BI_RLE8 */, static_cast<uint32_t>(data.size()), 2835u, 2835u, 2u, 0u})
    put_u32(out, word);
  put_u32(out, 0x00FF0000);  // red, as blue, green, red, 0
  put_u32(out, 0x000000FF);  // blue
  return out + data;
}

uint16_t pixel_at(const NativePicture& picture, uint32_t x, uint32_t y) {
  const uint32_t row = image::row_bytes(16, picture.record.width);
  uint16_t pixel;
  std::memcpy(&pixel, picture.record.pixels + size_t{y} * row + 2 * x, 2);
  return pixel;
}

QlObject* open_picture(const std::string& path) {
  Owned item(new_folder_item(path));
  return FolderItemOpenImage(item.get());
}

TEST(PictureFiles, TheLargestAllowedSizeLoadsWholeAndLargerOnesOpenAsNil) {
  define_ui_test_classes();
  TempFolder temp;
  // 64 MiB of rows; the colours change at row 2050, inside a band of decoded rows.
  temp.write("largest.bmp", rle8_bmp(8192, 4096, 2050, 4096));
  Owned largest(open_picture(temp.at("largest.bmp")));
  ASSERT_NE(largest.get(), nullptr);
  const NativePicture* native = native_picture_of(largest.get());
  ASSERT_NE(native, nullptr);
  EXPECT_EQ(native->record.width, 8192u);
  EXPECT_EQ(native->record.height, 4096u);
  EXPECT_EQ(native->record.byte_count, 8192u * 2 * 4096);
  for (uint32_t y : {0u, 2049u}) {
    EXPECT_EQ(pixel_at(*native, 0, y), kRed) << "row " << y;
    EXPECT_EQ(pixel_at(*native, 8191, y), kRed) << "row " << y;
  }
  for (uint32_t y : {2050u, 4095u}) {
    EXPECT_EQ(pixel_at(*native, 0, y), kBlue) << "row " << y;
    EXPECT_EQ(pixel_at(*native, 8191, y), kBlue) << "row " << y;
  }
  largest.reset();

  // One column more is past 64 MiB; 16384 a side would be 512 MiB of rows (and more for the decoding).
  for (auto [width, height] :
       {std::pair{8193u, 4096u}, std::pair{16384u, 16384u}, std::pair{4096u, 16385u}}) {
    const std::string name = std::to_string(width) + "x" + std::to_string(height) + ".bmp";
    temp.write(name, rle8_bmp(width, height, 0, 0));
    EXPECT_EQ(Owned(open_picture(temp.at(name))).get(), nullptr) << name;
  }
}

TEST(PictureFiles, FilesThatCannotBeReadOpenAsNil) {
  define_ui_test_classes();
  TempFolder temp;
  // A picture whose rows stop before the file says they end, and a PNG cut in half.
  std::string cut = rle8_bmp(64, 64, 32, 64);
  temp.write("cut.bmp", cut.substr(0, cut.size() / 2));
  temp.write("whole.bmp", cut);
  Owned whole(open_picture(temp.at("whole.bmp")));
  ASSERT_NE(whole.get(), nullptr) << "the uncut file must load for the cut one to mean anything";
  EXPECT_EQ(Owned(open_picture(temp.at("cut.bmp"))).get(), nullptr);

  driver::ScreenCapture shot({0, 0, 64, 48});
  ASSERT_TRUE(driver::save_png(shot, temp.at("shot.png")));
  Owned png(open_picture(temp.at("shot.png")));
  ASSERT_NE(png.get(), nullptr);
  const std::string bytes = temp.read("shot.png");
  temp.write("half.png", bytes.substr(0, bytes.size() / 2));
  EXPECT_EQ(Owned(open_picture(temp.at("half.png"))).get(), nullptr);

  // No such file, a folder, and a file another handle holds without sharing.
  EXPECT_EQ(Owned(open_picture(temp.at("missing.bmp"))).get(), nullptr);
  EXPECT_EQ(Owned(open_picture(temp.path())).get(), nullptr);
  HANDLE held =
      CreateFileA(temp.at("whole.bmp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Owned(open_picture(temp.at("whole.bmp"))).get(), nullptr);
  CloseHandle(held);
}

}  // namespace
}  // namespace ql::testing
