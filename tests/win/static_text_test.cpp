// Static texts draw their caption: aligned line by line on their own baselines, or word-wrapped.
#include <gtest/gtest.h>

#include <algorithm>

#include "driver_input.h"
#include "driver_pixels.h"
#include "quillet/controls.h"
#include "quillet/windows.h"
#include "support/ui_test_window.h"
#include "values/string.h"

namespace ql::testing {
namespace {

constexpr COLORREF kInk = RGB(200, 0, 0);

// The columns and rows of the label's rectangle on screen that hold ink.
struct Ink {
  int left = 1 << 30, right = -1, top = 1 << 30, bottom = -1;
};

Ink ink_in(const TestWindow& window, int left, int top, int width, int height) {
  POINT origin = window.screen_point(left, top);
  driver::ScreenCapture capture({origin.x, origin.y, origin.x + width, origin.y + height});
  Ink ink;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (!driver::colors_close(capture.at({origin.x + x, origin.y + y}), kInk, 60)) continue;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
    }
  }
  return ink;
}

Properties label(const std::string& name, int top, Properties more) {
  Properties p = control_properties(name, 10, top, 300, 60);
  p.insert(p.end(), {{"TextFont", "Arial"}, {"TextSize", "14"}, {"TextColor", std::to_string(0xC80000)}});
  p.insert(p.end(), more.begin(), more.end());
  return p;
}

TEST(StaticText, AlignedLinesAndWrappedWords) {
  TestClass label_class("StaticText");
  TestWindow window(
      {{&label_class, label("Right", 10, {{"Text", "one\rtwo"}, {"TextAlign", "2"}})},
       {&label_class, label("Wrapped", 80, {{"Text", "words that wrap"}, {"Multiline", "True"}})}},
      100, 100, 320, 150);
  ASSERT_TRUE(window.built());
  ASSERT_TRUE(driver::bring_to_front(window.hwnd()));
  settle();

  // Right-aligned: both lines end at the right edge, the second below the first.
  Ink right = ink_in(window, 10, 10, 300, 60);
  ASSERT_GE(right.right, 0) << "no text drawn";
  EXPECT_GE(right.right, 290);
  EXPECT_GT(right.left, 200);
  EXPECT_GT(right.bottom - right.top, 20) << "two lines";

  // A narrow multi-line label wraps its words onto lines of their own.
  Ink one_line = ink_in(window, 10, 80, 300, 60);
  ASSERT_GE(one_line.right, 0);
  EXPECT_LT(one_line.bottom - one_line.top, 18);
  QlObject* wrapped = window.control("Wrapped");
  ctlPosSetter(wrapped, 2, 60);
  settle();
  Ink wrapped_ink = ink_in(window, 10, 80, 60, 60);
  EXPECT_GT(wrapped_ink.bottom - wrapped_ink.top, one_line.bottom - one_line.top + 10)
      << "more than one line";

  QlString caption = runtime_string("");
  staticCaptionSetter(wrapped, 0, caption);
  string_release(caption);
  settle();
  EXPECT_LT(ink_in(window, 10, 80, 60, 60).right, 0) << "an empty caption draws nothing";
}

}  // namespace
}  // namespace ql::testing
