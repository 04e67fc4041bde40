// Pictures a plug-in builds from device-independent bitmaps through the resolved callbacks: their pixels,
// drawing them, freeing their bitmaps and drawing again, and the bitmaps refused.
#include <gtest/gtest.h>

#include <string.h>

#include <vector>

#include "objects/objects.h"
#include "plugin_test_support.h"
#include "plugins/plugin_install.h"
#include "program_runner.h"
#include "ui/graphics/picture.h"
#include "win/support/ui_test_window.h"

namespace ql {
namespace {

using BuildPicture = QlObject* (*)(const void*, const void*);
using ClearCache = void (*)(QlObject*);

struct PicturePlugin {
  BuildPicture build = nullptr;
  ClearCache clear = nullptr;
  bool resolved = false;
};

// picture_plugin installed once into a folder of its own; its exports reach the callbacks it resolved.
const PicturePlugin& picture_plugin() {
  static PicturePlugin plugin = [] {
    testing::define_ui_test_classes();
    PicturePlugin p;
    const std::string folder = harness::make_temp_folder("picture-plugin");
    const std::string name = "picture_plugin.dll";
    if (install_stored_plugin(plugin_testing::stored_plugin(name, plugin_testing::built_dll(name)),
                              {{folder}}) != PluginInstall::kLoaded)
      return p;
    HMODULE module = GetModuleHandleA((folder + "\\" + name).c_str());
    if (!module) return p;
    auto resolved = reinterpret_cast<int (*)()>(
        reinterpret_cast<void*>(GetProcAddress(module, "picture_plugin_resolved")));
    p.resolved = resolved && resolved() == 1;
    p.build = reinterpret_cast<BuildPicture>(
        reinterpret_cast<void*>(GetProcAddress(module, "picture_plugin_build")));
    p.clear = reinterpret_cast<ClearCache>(
        reinterpret_cast<void*>(GetProcAddress(module, "picture_plugin_clear_cache")));
    return p;
  }();
  return plugin;
}

struct Dib {
  BITMAPINFOHEADER header;
  RGBQUAD colours[4];
};

Dib dib_header(LONG width, LONG height, WORD depth, DWORD compression = BI_RGB) {
  Dib dib = {};
  dib.header.biSize = sizeof dib.header;
  dib.header.biWidth = width;
  dib.header.biHeight = height;
  dib.header.biPlanes = 1;
  dib.header.biBitCount = depth;
  dib.header.biCompression = compression;
  return dib;
}

uint16_t pixel_555(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<uint16_t>((r >> 3) << 10 | (g >> 3) << 5 | b >> 3);
}

// The picture's 5-5-5 rows, top row first.
std::vector<uint16_t> record_pixels(const NativePicture& native) {
  std::vector<uint16_t> out;
  const uint32_t row = image::row_bytes(16, native.record.width);
  for (uint32_t y = 0; y < native.record.height; ++y)
    for (uint32_t x = 0; x < native.record.width; ++x) {
      uint16_t pixel;
      memcpy(&pixel, native.record.pixels + size_t{y} * row + 2 * x, 2);
      out.push_back(pixel);
    }
  return out;
}

// The picture drawn opaque at its own size into a 32-bit bitmap, as RGB values, top row first.
std::vector<COLORREF> drawn_pixels(NativePicture& native) {
  const int w = static_cast<int>(native.record.width), h = static_cast<int>(native.record.height);
  BITMAPINFO info = {};
  info.bmiHeader = dib_header(w, -h, 32).header;
  void* bits = nullptr;
  HBITMAP target = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, target);
  draw_native_picture(dc, native, false, {0, 0, w, h}, {0, 0, w, h});
  GdiFlush();
  std::vector<COLORREF> out;
  for (int i = 0; i < w * h; ++i) {
    const uint8_t* p = static_cast<const uint8_t*>(bits) + 4 * i;
    out.push_back(RGB(p[2], p[1], p[0]));
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(target);
  return out;
}

TEST(PluginPictures, APluginBuildsPicturesFromDibsDrawsThemAndFreesTheirBitmaps) {
  const PicturePlugin& plugin = picture_plugin();
  ASSERT_TRUE(plugin.resolved)
      << "the resolver did not give QUILBuildPictureFromDIB and QUILPictureClearCache";
  ASSERT_TRUE(plugin.build && plugin.clear);

  // 3 x 2, 8 bits, bottom-up: the bottom row (first in memory) is blue, white, red; the top row red, green,
  // blue. Rows are 4 bytes apart.
  Dib palette = dib_header(3, 2, 8);
  palette.header.biClrUsed = 4;
  palette.colours[0] = {0, 0, 255, 0};      // red
  palette.colours[1] = {0, 255, 0, 0};      // green
  palette.colours[2] = {255, 0, 0, 0};      // blue
  palette.colours[3] = {255, 255, 255, 0};  // white
  const uint8_t indices[8] = {2, 3, 0, 0, 0, 1, 2, 0};
  QlObject* picture = plugin.build(&palette, indices);
  ASSERT_NE(picture, nullptr);
  ASSERT_TRUE(is_picture(picture));
  NativePicture* native = native_picture_of(picture);
  ASSERT_NE(native, nullptr);
  EXPECT_EQ(native->record.width, 3u);
  EXPECT_EQ(native->record.height, 2u);
  EXPECT_EQ(native->record.depth, 16u);
  const uint16_t red = pixel_555(255, 0, 0), green = pixel_555(0, 255, 0), blue = pixel_555(0, 0, 255),
                 white = pixel_555(255, 255, 255);
  EXPECT_EQ(record_pixels(*native), (std::vector<uint16_t>{red, green, blue, blue, white, red}));

  // Five bits of 31 are drawn as 255.
  const std::vector<COLORREF> wanted = {RGB(255, 0, 0), RGB(0, 255, 0),     RGB(0, 0, 255),
                                        RGB(0, 0, 255), RGB(255, 255, 255), RGB(255, 0, 0)};
  EXPECT_EQ(drawn_pixels(*native), wanted);
  EXPECT_NE(native->dib, nullptr);
  plugin.clear(picture);
  EXPECT_EQ(native->dib, nullptr) << "the picture's bitmap was not freed";
  EXPECT_EQ(drawn_pixels(*native), wanted) << "drawn again from its record";
  plugin.clear(nullptr);
  release_object(picture);

  // 2 x 2, 24 bits, top-down (blue, green, red bytes; rows padded to 8).
  Dib true_colour = dib_header(2, -2, 24);
  const uint8_t rows[16] = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0};
  picture = plugin.build(&true_colour, rows);
  ASSERT_NE(picture, nullptr);
  native = native_picture_of(picture);
  ASSERT_NE(native, nullptr);
  EXPECT_EQ(record_pixels(*native), (std::vector<uint16_t>{red, green, blue, white}));
  release_object(picture);
}

TEST(PluginPictures, DibsWithoutAPictureOfTheirOwnSizeAreRefused) {
  const PicturePlugin& plugin = picture_plugin();
  ASSERT_TRUE(plugin.resolved && plugin.build);
  const uint8_t bits[16] = {};
  Dib ok = dib_header(2, 2, 24);
  QlObject* taken = plugin.build(&ok, bits);
  ASSERT_NE(taken, nullptr) << "the refusals below would say nothing";
  release_object(taken);
  EXPECT_EQ(plugin.build(nullptr, bits), nullptr);
  EXPECT_EQ(plugin.build(&ok, nullptr), nullptr);
  Dib run_length = dib_header(2, 2, 8, BI_RLE8);
  EXPECT_EQ(plugin.build(&run_length, bits), nullptr);
  Dib two_bits = dib_header(2, 2, 2);
  EXPECT_EQ(plugin.build(&two_bits, bits), nullptr);
  Dib no_width = dib_header(0, 2, 24), mirrored = dib_header(-2, 2, 24), no_height = dib_header(2, 0, 24);
  EXPECT_EQ(plugin.build(&no_width, bits), nullptr);
  EXPECT_EQ(plugin.build(&mirrored, bits), nullptr);
  EXPECT_EQ(plugin.build(&no_height, bits), nullptr);
  // 16384 x 16384 would ask for 512 MiB of rows: refused from the header, before any of the 16 bytes given
  // is read past.
  Dib huge = dib_header(16384, 16384, 32);
  EXPECT_EQ(plugin.build(&huge, bits), nullptr);
}

}  // namespace
}  // namespace ql
