// Canvas controls in a real window: Paint drawing through the graphics entry points, and real mouse input
// raising MouseDown, MouseDrag and MouseUp with coordinates relative to the canvas.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "driver_input.h"
#include "quillet/controls.h"
#include "quillet/graphics.h"
#include "quillet/objects.h"
#include "quillet/windows.h"
#include "ui/events/event_messages.h"
#include "ui/panes/pane.h"
#include "ui/panes/pane_state.h"
#include "unit/files/file_test_support.h"
#include "win/support/ui_test_window.h"

namespace ql::testing {
namespace {

struct Seen {
  int paints = 0;
  QlObject* paint_graphics = nullptr;  // the last Paint's Graphics, with a reference of the test's
  bool paint_object_was_canvas_one = false;
  std::vector<POINT> downs, drags, ups;
  std::vector<bool> contextual;
  bool track = true;
};
Seen seen;

void on_paint(QlObject* canvas, QlObject* g) {
  ++seen.paints;
  RuntimeLockObject(g);
  RuntimeUnlockObject(seen.paint_graphics);
  seen.paint_graphics = g;
  QlObject* kept = canvasGraphicsGetter(canvas, 0);
  seen.paint_object_was_canvas_one = kept == g;
  graphicsForeColorSetter(g, 0, 0xFFFF00);
  RuntimeGraphicsFillRect(g, 0, 0, 200, 100);
  graphicsForeColorSetter(g, 0, 0xFF0000);
  RuntimeGraphicsDrawLine(g, 0, 50, 199, 50);
  graphicsForeColorSetter(g, 0, 0x0000FF);
  RuntimeGraphicsFillRect(g, 100, 60, 50, 20);
  graphicsForeColorSetter(g, 0, 0x000000);
  StringRef text = text_ref("HELL");
  StringRef font = text_ref("Arial");
  graphicsTextFontSetter(g, 0, font.get());
  graphicsTextSizeSetter(g, 0, 18);
  RuntimeGraphicsDrawString(g, text.get(), 10, 30, 0);
  // The canvas's own Graphics draws into the paint as well, and goes on drawing after it.
  graphicsForeColorSetter(kept, 0, 0xFF00FF);
  RuntimeGraphicsFillRect(kept, 190, 90, 10, 10);
  RuntimeUnlockObject(kept);
}

bool on_mouse_down(QlObject*, int32_t x, int32_t y) {
  seen.downs.push_back({x, y});
  seen.contextual.push_back(IsCMMClick());
  return seen.track;
}
void on_mouse_drag(QlObject*, int32_t x, int32_t y) { seen.drags.push_back({x, y}); }
void on_mouse_up(QlObject*, int32_t x, int32_t y) { seen.ups.push_back({x, y}); }

// A window with a canvas at (30, 20), 200 by 100, whose class handles Paint and the mouse.
struct EventCanvas {
  TestClass cls{"Canvas"};
  TestClass& hooked = cls.on("Paint", on_paint)
                          .on("MouseDown", on_mouse_down)
                          .on("MouseDrag", on_mouse_drag)
                          .on("MouseUp", on_mouse_up);
  TestWindow window{{{&cls, control_properties("Board", 30, 20, 200, 100)}}, 40, 40, 260, 140};
  EventCanvas() { seen = Seen(); }
  ~EventCanvas() {
    RuntimeUnlockObject(seen.paint_graphics);
    seen = Seen();
  }
  QlObject* canvas() const { return window.control("Board"); }
  Pane* pane() const { return window.pane("Board"); }
  HWND hwnd() const { return pane()->hwnd(); }
};

TEST(Canvas, PaintDrawsThroughAFreshGraphicsThatIsReleasedAfterwards) {
  EventCanvas c;
  ASSERT_NE(c.pane(), nullptr);
  repaint(c.pane());
  driver::ScreenCapture shot = capture(c.pane());
  ASSERT_GT(seen.paints, 0);
  EXPECT_FALSE(seen.paint_object_was_canvas_one) << "Paint gets a Graphics of its own";
  ASSERT_NE(seen.paint_graphics, nullptr);
  EXPECT_EQ(object_header(seen.paint_graphics)->count, 1) << "only the test still holds the Paint's Graphics";

  const COLORREF yellow = RGB(255, 255, 0), red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
  EXPECT_EQ(pixel(shot, 5, 5), yellow);
  EXPECT_EQ(pixel(shot, 150, 50), red);
  EXPECT_EQ(pixel(shot, 150, 49), yellow) << "the pen is one pixel wide";
  EXPECT_EQ(pixel(shot, 199, 50), yellow) << "the line's end point is not painted";
  EXPECT_EQ(pixel(shot, 125, 70), blue);
  EXPECT_EQ(pixel(shot, 150, 70), yellow) << "the fill ends at x + width";
  RECT text = {shot.rect().left + 8, shot.rect().top + 12, shot.rect().left + 90, shot.rect().top + 30};
  EXPECT_GT(shot.count(RGB(0, 0, 0), 40, text), 40) << "the string above its baseline at y = 30";
  RECT below = {text.left, text.bottom, text.right, text.bottom + 8};
  EXPECT_EQ(shot.count(RGB(0, 0, 0), 40, below), 0) << "capitals end at the baseline";

  EXPECT_EQ(pixel(shot, 195, 95), RGB(255, 0, 255)) << "the canvas's Graphics during Paint";
  Owned kept(canvasGraphicsGetter(c.canvas(), 0));
  graphicsForeColorSetter(kept.get(), 0, 0x00FFFF);
  RuntimeGraphicsFillRect(kept.get(), 180, 0, 20, 20);
  shot = capture(c.pane());
  EXPECT_EQ(pixel(shot, 190, 10), RGB(0, 255, 255)) << "and after it, in a DC of its own";

  // A hidden canvas does not paint; shown again, it does.
  int paints = seen.paints;
  ControlVisibleSetter(c.canvas(), 0, false);
  RuntimeControlRefresh(c.canvas());
  settle();
  EXPECT_EQ(seen.paints, paints);
  ControlVisibleSetter(c.canvas(), 0, true);
  EXPECT_TRUE(pump_until([&] { return seen.paints > paints; }));

  // A Graphics whose canvas is gone draws nothing and measures nothing.
  close_all_windows();
  RuntimeGraphicsFillRect(kept.get(), 0, 0, 10, 10);
  StringRef s = text_ref("x");
  EXPECT_EQ(RuntimeGraphicsStringWidth(kept.get(), s.get()), 0);
  EXPECT_EQ(graphicsWidthGetter(kept.get(), 0), 0);
}

TEST(Canvas, ClicksRaiseMouseEventsRelativeToTheCanvasAndTrueTracksTheMouse) {
  EventCanvas c;
  ASSERT_TRUE(driver::click_in(c.hwnd(), {40, 25}));
  ASSERT_TRUE(pump_until([] { return !seen.ups.empty(); }));
  ASSERT_EQ(seen.downs.size(), 1u);
  EXPECT_EQ(seen.downs[0].x, 40);
  EXPECT_EQ(seen.downs[0].y, 25);
  EXPECT_FALSE(seen.contextual[0]);
  EXPECT_EQ(seen.ups[0].x, 40);
  EXPECT_EQ(seen.ups[0].y, 25);
  EXPECT_EQ(tracking_pane(), nullptr) << "tracking ends with the button";

  // A drag: MouseDrag follows the pointer while tracking, MouseUp comes where the button is released.
  seen.drags.clear();
  seen.ups.clear();
  ASSERT_TRUE(driver::drag_in(c.hwnd(), {10, 10}, {120, 70}));
  ASSERT_TRUE(pump_until([] { return !seen.ups.empty(); }));
  ASSERT_FALSE(seen.drags.empty());
  EXPECT_EQ(seen.drags.back().x, 120);
  EXPECT_EQ(seen.drags.back().y, 70);
  EXPECT_EQ(seen.ups[0].x, 120);
  EXPECT_EQ(seen.ups[0].y, 70);

  // A MouseDown that answers False is not tracked: no MouseUp.
  seen = Seen();
  seen.track = false;
  ASSERT_TRUE(driver::click_in(c.hwnd(), {60, 60}));
  ASSERT_TRUE(pump_until([] { return !seen.downs.empty(); }));
  settle();  // the release is taken
  ASSERT_EQ(seen.downs.size(), 1u);
  EXPECT_TRUE(seen.ups.empty());
  EXPECT_TRUE(seen.drags.empty());
}

TEST(Canvas, ADisabledCanvasIgnoresClicksAndOnlyARightClickIsContextual) {
  EventCanvas c;
  controlEnabledSetter(c.canvas(), 0, false);
  POINT in_window = {30 + 50, 20 + 50};
  ASSERT_TRUE(driver::click_in(c.window.hwnd(), in_window));
  settle();
  EXPECT_TRUE(c.pane()->mouse_down(in_window.x, in_window.y, 0) == false);
  EXPECT_TRUE(seen.downs.empty());

  controlEnabledSetter(c.canvas(), 0, true);
  ASSERT_TRUE(driver::click_in(c.hwnd(), {50, 50}, driver::MouseButton::right));
  ASSERT_TRUE(pump_until([] { return !seen.ups.empty(); }));
  ASSERT_EQ(seen.downs.size(), 1u);
  EXPECT_TRUE(seen.contextual[0]) << "IsCMMClick during a right click's MouseDown";
  EXPECT_FALSE(IsCMMClick()) << "and not after it";
  EXPECT_EQ(seen.downs[0].x, 50);
  EXPECT_EQ(seen.downs[0].y, 50);
  ASSERT_TRUE(driver::click_in(c.hwnd(), {51, 51}));
  ASSERT_TRUE(pump_until([] { return seen.downs.size() == 2; }));
  EXPECT_FALSE(seen.contextual[1]) << "a left click is not contextual";
}

TEST(Canvas, OnlyACanvasThatAsksForItLetsWhatLiesBelowShowThrough) {
  TestWindow window{
      {{ui_class("Canvas"), control_properties("Plain", 10, 10, 100, 100)},
       {ui_class("Canvas"), control_properties("Glass", 150, 10, 100, 100, {{"Transparent", "True"}})}},
      40,
      40,
      300,
      140};
  ASSERT_NE(window.pane("Glass"), nullptr);
  EXPECT_FALSE(GetWindowLongA(window.pane("Plain")->hwnd(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
  EXPECT_TRUE(GetWindowLongA(window.pane("Glass")->hwnd(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
  EXPECT_TRUE(controlVisibleGetter(window.control("Glass"), 0));
}

}  // namespace
}  // namespace ql::testing
