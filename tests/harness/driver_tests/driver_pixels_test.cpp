// Screen pixels read before and after a click, colours found and counted, screenshots written, and a failing
// check that saves one named after the test.
#include <windows.h>

#include "target_fixture.h"

namespace ql::driver {
namespace {

const COLORREF kRed = RGB(200, 40, 40);
const COLORREF kBlue = RGB(40, 80, 200);

using DriverPixels = DriverTarget;

uint32_t big_endian_at(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

TEST_F(DriverPixels, ReadsColoursBeforeAndAfterAClick) {
  HWND pane = child(3);
  ASSERT_TRUE(pane);
  RECT area = client_rect_on_screen(pane);
  EXPECT_TRUE(expect_color_at(center_of(area), kRed, 0));
  ScreenCapture before = ScreenCapture::of_window(main_);
  ASSERT_TRUE(before.ok());
  EXPECT_EQ(before.count(kRed, 0, area), 200 * 150);
  EXPECT_EQ(before.count(kRed, 0), 200 * 150);  // nowhere else in the window
  EXPECT_FALSE(before.contains(kBlue, 8));
  EXPECT_EQ(before.at({area.left - 1, area.top}), RGB(255, 255, 255));  // the window's white background
  EXPECT_EQ(before.at({-5, -5}), CLR_INVALID);

  ASSERT_TRUE(click(pane));
  EXPECT_TRUE(expect_color_at(center_of(area), kBlue, 0));
  EXPECT_TRUE(expect_color_in(window_rect(main_), kBlue));
  EXPECT_TRUE(expect_color_not_in(area, kRed));
  EXPECT_EQ(ScreenCapture(area).count(kBlue, 0), 200 * 150);
  EXPECT_TRUE(colors_close(RGB(10, 20, 30), RGB(14, 16, 30), 4));
  EXPECT_FALSE(colors_close(RGB(10, 20, 30), RGB(15, 20, 30), 4));
}

TEST_F(DriverPixels, SavesScreenshotsAsPngAndBmp) {
  std::string png = save_screenshot("DriverPixels-whole-screen");
  ASSERT_FALSE(png.empty());
  std::string bytes = harness::read_file(png);
  ASSERT_GT(bytes.size(), 33u);
  EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1a\n");
  EXPECT_EQ(big_endian_at(bytes, 16), static_cast<uint32_t>(GetSystemMetrics(SM_CXSCREEN)));
  EXPECT_EQ(big_endian_at(bytes, 20), static_cast<uint32_t>(GetSystemMetrics(SM_CYSCREEN)));

  std::string bmp = output_folder() + "DriverPixels-window.bmp";
  ASSERT_TRUE(save_bmp(ScreenCapture::of_window(main_), bmp));
  bytes = harness::read_file(bmp);
  ASSERT_GT(bytes.size(), 54u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(bytes.size(), 54u + 660u * 440u * 4u);
  // The window's pane, read back from the file: rows top-down, pixels blue, green, red, unused.
  RECT pane = window_rect(child(3));
  RECT window = window_rect(main_);
  size_t at =
      54 +
      (static_cast<size_t>(pane.top - window.top) * 660 + static_cast<size_t>(pane.left - window.left)) * 4;
  EXPECT_EQ(RGB(static_cast<unsigned char>(bytes[at + 2]), static_cast<unsigned char>(bytes[at + 1]),
                static_cast<unsigned char>(bytes[at])),
            kRed);
}

// A check made in a helper, as tests do: its failure names the test and saves the screenshot.
void expect_pane_is_green(HWND pane) {
  expect_color_at(center_of(client_rect_on_screen(pane)), RGB(0, 200, 0), 10);
}

TEST_F(DriverPixels, AFailingCheckSavesAScreenshotNamedAfterTheTest) {
  HWND pane = child(3);
  ASSERT_TRUE(pane);
  std::string expected_name = "DriverPixels.AFailingCheckSavesAScreenshotNamedAfterTheTest-";
  EXPECT_NONFATAL_FAILURE(expect_pane_is_green(pane), "is #C82828, expected #00C800 within 10\nscreenshot: ");
  std::string shot = last_failure_screenshot();
  EXPECT_NE(shot.find(expected_name), std::string::npos) << shot;
  EXPECT_EQ(shot.substr(shot.size() - 4), ".png");
  EXPECT_EQ(harness::read_file(shot).substr(0, 4), "\x89PNG");
  // The message names the file as the machine running the tests does, and each failure keeps its own file.
  EXPECT_NONFATAL_FAILURE(expect_pane_is_green(pane),
                          "screenshot: " + host_path(output_folder()) + expected_name);
  EXPECT_NE(last_failure_screenshot(), shot);
}

}  // namespace
}  // namespace ql::driver
