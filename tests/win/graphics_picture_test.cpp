// Pictures on a real canvas and window: records of the image turned into Picture objects, drawn unscaled,
// stretched, from part of the picture, transparent, and as backdrops.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "driver_screenshots.h"
#include "files/folder_item.h"
#include "quillet/files.h"
#include "quillet/graphics.h"
#include "quillet/start.h"
#include "quillet/windows.h"
#include "ui/graphics/graphics.h"
#include "ui/graphics/picture.h"
#include "ui/ui_steps.h"
#include "ui/window/view_window.h"
#include "ui/window/window_object.h"
#include "unit/files/file_test_support.h"
#include "win/support/ui_test_window.h"

namespace ql::testing {
namespace {

constexpr uint16_t kRed = 0x7C00, kWhite = 0x7FFF, kNearWhite = 0x7FFE, kGreen = 0x03E0, kBlue = 0x001F;
constexpr int32_t kBackground = 0x2080C0;  // drawn below the pictures
const COLORREF kBackgroundRef = RGB(0x20, 0x80, 0xC0);

// A picture record as the image holds it, from its kind word on: 4 by 2 pixels of depth 16, rows of
// (4 + 1) / 2 * 4 = 8 bytes.
std::vector<uint8_t> picture_record(bool transparent) {
  const uint16_t pixels[2][4] = {{kRed, kWhite, kNearWhite, kGreen}, {kBlue, kBlue, kWhite, kRed}};
  const uint32_t header[6] = {1, transparent ? 1u : 0u, 16, 4, 2, sizeof pixels};
  std::vector<uint8_t> record(sizeof header + sizeof pixels);
  std::memcpy(record.data(), header, sizeof header);
  std::memcpy(record.data() + sizeof header, pixels, sizeof pixels);
  return record;
}

void expect_colour(const driver::ScreenCapture& shot, int32_t x, int32_t y, COLORREF expected,
                   const char* what) {
  COLORREF seen = pixel(shot, x, y);
  EXPECT_TRUE(driver::colors_close(seen, expected, 8))
      << what << " at (" << x << ", " << y << "): " << driver::color_text(seen) << ", not "
      << driver::color_text(expected);
}

const COLORREF kRedRef = RGB(255, 0, 0), kWhiteRef = RGB(255, 255, 255), kNearWhiteRef = RGB(255, 255, 247),
               kGreenRef = RGB(0, 255, 0), kBlueRef = RGB(0, 0, 255);

struct PictureCanvas {
  TestWindow window{{{ui_class("Canvas"), control_properties("Board", 20, 10, 300, 120)}}, 40, 40, 340, 140};
  Pane* pane() const { return window.pane("Board"); }
};

TEST(Pictures, DrawUnscaledStretchedPartlyAndTransparentLeavingTheRecordAsItWas) {
  define_ui_test_classes();
  std::vector<uint8_t> record = picture_record(false);
  const std::vector<uint8_t> original = record;
  Owned picture(make_picture_item(record.data() + 4));
  ASSERT_NE(picture.get(), nullptr);
  EXPECT_EQ(pictureWidthGetter(picture.get(), 0), 4);
  EXPECT_EQ(pictureHeightGetter(picture.get(), 0), 2);
  EXPECT_FALSE(pictureTransparentGetter(picture.get(), 0));

  PictureCanvas c;
  Owned g(canvasGraphicsGetter(c.window.control("Board"), 0));
  graphicsForeColorSetter(g.get(), 0, kBackground);
  RuntimeGraphicsFillRect(g.get(), 0, 0, 300, 120);
  constexpr int32_t D = QL_DEFAULT_SIZE;
  RuntimeGraphicsDrawPicture(g.get(), picture.get(), 10, 10, D, D, 0, 0, D, D);
  RuntimeGraphicsDrawPicture(g.get(), picture.get(), 30, 10, 40, 20, 0, 0, 4, 2);  // each pixel 10 by 10
  RuntimeGraphicsDrawPicture(g.get(), picture.get(), 80, 10, 20, 10, 2, 0, 2, 1);  // the row's last two
  // The source defaults to the destination's size: a larger destination shows the picture at its own size.
  RuntimeGraphicsDrawPicture(g.get(), picture.get(), 110, 10, 40, 20, 0, 0, D, D);
  driver::ScreenCapture shot = capture(c.pane());
  ASSERT_TRUE(shot.ok());
  expect_colour(shot, 10, 10, kRedRef, "unscaled");
  expect_colour(shot, 11, 10, kWhiteRef, "unscaled");
  expect_colour(shot, 12, 10, kNearWhiteRef, "unscaled");
  expect_colour(shot, 13, 10, kGreenRef, "unscaled");
  expect_colour(shot, 10, 11, kBlueRef, "unscaled, second row");
  expect_colour(shot, 13, 11, kRedRef, "unscaled, second row");
  expect_colour(shot, 14, 10, kBackgroundRef, "right of the unscaled picture");
  expect_colour(shot, 10, 12, kBackgroundRef, "below the unscaled picture");
  expect_colour(shot, 35, 15, kRedRef, "stretched");
  expect_colour(shot, 45, 15, kWhiteRef, "stretched");
  expect_colour(shot, 65, 15, kGreenRef, "stretched");
  expect_colour(shot, 55, 25, kWhiteRef, "stretched, second row");
  expect_colour(shot, 69, 29, kRedRef, "stretched, last pixel");
  expect_colour(shot, 70, 30, kBackgroundRef, "past the stretched picture");
  expect_colour(shot, 85, 15, kNearWhiteRef, "part of the picture");
  expect_colour(shot, 95, 15, kGreenRef, "part of the picture");
  expect_colour(shot, 110, 10, kRedRef, "default source");
  expect_colour(shot, 113, 11, kRedRef, "default source");
  expect_colour(shot, 114, 10, kBackgroundRef, "default source, past the picture");
  expect_colour(shot, 120, 20, kBackgroundRef, "default source, past the picture");

  // Transparent: white shows what lies below; 0x7FFE is not white and is drawn.
  pictureTransparentSetter(picture.get(), 0, true);
  EXPECT_TRUE(pictureTransparentGetter(picture.get(), 0));
  RuntimeGraphicsDrawPicture(g.get(), picture.get(), 120, 10, 40, 20, 0, 0, 4, 2);
  RuntimeGraphicsDrawPicture(g.get(), picture.get(), 170, 10, 40, 20, 0, 0, 4, 2);  // the mask is made once
  // Opaque again: the DIB that lost its white to the mask is made anew from the record.
  pictureTransparentSetter(picture.get(), 0, false);
  RuntimeGraphicsDrawPicture(g.get(), picture.get(), 220, 10, 40, 20, 0, 0, 4, 2);
  shot = capture(c.pane());
  for (int32_t left : {120, 170}) {
    expect_colour(shot, left + 5, 15, kRedRef, "transparent");
    expect_colour(shot, left + 15, 15, kBackgroundRef, "transparent white");
    expect_colour(shot, left + 25, 15, kNearWhiteRef, "transparent 0x7FFE");
    expect_colour(shot, left + 35, 15, kGreenRef, "transparent");
    expect_colour(shot, left + 25, 25, kBackgroundRef, "transparent white, second row");
    expect_colour(shot, left + 5, 25, kBlueRef, "transparent, second row");
  }
  expect_colour(shot, 235, 15, kWhiteRef, "opaque after transparent");
  expect_colour(shot, 245, 25, kWhiteRef, "opaque after transparent, second row");
  EXPECT_EQ(record, original) << "drawing never changes the record";

  // Nothing is drawn for nil, nor for a picture without data; nil has no size.
  RuntimeGraphicsDrawPicture(g.get(), nullptr, 0, 0, D, D, 0, 0, D, D);
  EXPECT_EQ(pictureWidthGetter(nullptr, 0), 0);
  EXPECT_EQ(RuntimePictureReference(0), nullptr);
}

TEST(Pictures, ARecordThatAsksForTransparencyDrawsTransparentAndBadRecordsGiveEmptyPictures) {
  define_ui_test_classes();
  std::vector<uint8_t> record = picture_record(true);
  Owned picture(make_picture_item(record.data() + 4));
  EXPECT_TRUE(pictureTransparentGetter(picture.get(), 0));

  // A depth no DIB has, and a byte count too small for the size: pictures of no size that draw nothing.
  std::vector<uint8_t> odd_depth = picture_record(false);
  odd_depth[8] = 13;
  std::vector<uint8_t> short_pixels = picture_record(false);
  short_pixels[20] = 8;
  Owned odd(make_picture_item(odd_depth.data() + 4));
  Owned cut(make_picture_item(short_pixels.data() + 4));
  EXPECT_EQ(pictureWidthGetter(cut.get(), 0), 0);

  PictureCanvas c;
  Owned g(canvasGraphicsGetter(c.window.control("Board"), 0));
  graphicsForeColorSetter(g.get(), 0, kBackground);
  RuntimeGraphicsFillRect(g.get(), 0, 0, 300, 120);
  RuntimeGraphicsDrawPicture(g.get(), picture.get(), 10, 10, 40, 20, 0, 0, 4, 2);
  RuntimeGraphicsDrawPicture(g.get(), odd.get(), 60, 10, 40, 20, 0, 0, 4, 2);
  RuntimeGraphicsDrawPicture(g.get(), cut.get(), 110, 10, 40, 20, 0, 0, 4, 2);
  driver::ScreenCapture shot = capture(c.pane());
  expect_colour(shot, 15, 15, kRedRef, "transparent record");
  expect_colour(shot, 25, 15, kBackgroundRef, "transparent record's white");
  EXPECT_EQ(
      shot.count(kBackgroundRef, 0,
                 {shot.rect().left + 60, shot.rect().top + 10, shot.rect().left + 150, shot.rect().top + 30}),
      90 * 20)
      << "a picture without usable pixels draws nothing";
}

TEST(Pictures, BackdropsDrawAtTheTopLeftOfTheirCanvasAndWindow) {
  define_ui_test_classes();
  std::vector<uint8_t> record = picture_record(false);
  Owned picture(make_picture_item(record.data() + 4));
  PictureCanvas c;
  QlObject* canvas = c.window.control("Board");
  int32_t count = object_header(picture.get())->count;
  canvasBackdropSetter(canvas, 0, picture.get());
  windowBackdropSetter(c.window.object(), 0, picture.get());
  EXPECT_EQ(object_header(picture.get())->count, count + 2);
  Owned backdrop(canvasBackdropGetter(canvas, 0));
  EXPECT_EQ(backdrop.get(), picture.get());
  backdrop.reset();

  repaint(c.pane());
  driver::ScreenCapture on_canvas = capture(c.pane());
  expect_colour(on_canvas, 0, 0, kRedRef, "canvas backdrop");
  expect_colour(on_canvas, 3, 0, kGreenRef, "canvas backdrop");
  expect_colour(on_canvas, 1, 1, kBlueRef, "canvas backdrop");
  EXPECT_FALSE(driver::colors_close(pixel(on_canvas, 5, 0), kGreenRef, 8)) << "drawn at its own size";
  Pane* window_pane = as_window_fields(c.window.object())->pane;
  repaint(window_pane);
  driver::ScreenCapture on_window = capture(window_pane);
  expect_colour(on_window, 0, 0, kRedRef, "window backdrop");
  expect_colour(on_window, 3, 1, kRedRef, "window backdrop");

  canvasBackdropSetter(canvas, 0, nullptr);
  EXPECT_EQ(object_header(picture.get())->count, count + 1);
}

TEST(Pictures, ImageFilesOpenAsPicturesOfTheirOwnSizeAndPixels) {
  define_ui_test_classes();
  std::vector<uint8_t> record = picture_record(false);
  Owned picture(make_picture_item(record.data() + 4));
  PictureCanvas c;
  Owned g(canvasGraphicsGetter(c.window.control("Board"), 0));
  graphicsForeColorSetter(g.get(), 0, kBackground);
  RuntimeGraphicsFillRect(g.get(), 0, 0, 300, 120);
  constexpr int32_t D = QL_DEFAULT_SIZE;
  RuntimeGraphicsDrawPicture(g.get(), picture.get(), 10, 10, 40, 20, 0, 0, 4, 2);
  driver::ScreenCapture shot = capture(c.pane());
  driver::ScreenCapture drawn(
      {shot.rect().left + 10, shot.rect().top + 10, shot.rect().left + 50, shot.rect().top + 30});
  TempFolder temp;
  const std::string png = temp.at("boxes.png"), bmp = temp.at("boxes.bmp");
  ASSERT_TRUE(driver::save_png(drawn, png));
  ASSERT_TRUE(driver::save_bmp(drawn, bmp));
  int32_t left = 60;
  for (const std::string& path : {png, bmp}) {
    Owned item(new_folder_item(path));
    Owned loaded(FolderItemOpenImage(item.get()));
    ASSERT_NE(loaded.get(), nullptr) << path;
    EXPECT_EQ(pictureWidthGetter(loaded.get(), 0), 40);
    EXPECT_EQ(pictureHeightGetter(loaded.get(), 0), 20);
    EXPECT_FALSE(pictureTransparentGetter(loaded.get(), 0));
    RuntimeGraphicsDrawPicture(g.get(), loaded.get(), left, 10, D, D, 0, 0, D, D);
    left += 50;
  }
  shot = capture(c.pane());
  for (int32_t at : {60, 110}) {
    expect_colour(shot, at + 5, 15, kRedRef, "loaded picture");
    expect_colour(shot, at + 25, 15, kNearWhiteRef, "loaded picture");
    expect_colour(shot, at + 5, 25, kBlueRef, "loaded picture, second row");
    expect_colour(shot, at + 40, 15, kBackgroundRef, "right of the loaded picture");
  }
  // A file that is no image opens as nil.
  temp.write("words.txt", "no picture");
  Owned item(new_folder_item(temp.at("words.txt")));
  EXPECT_EQ(FolderItemOpenImage(item.get()), nullptr);
}

}  // namespace
}  // namespace ql::testing
