// quilapp1's seven other controls in a window: how they draw, what their clicks raise, the repeat of a held
// arrow and ChasingArrows' animation, both on a clock the test sets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver_input.h"
#include "driver_pixels.h"
#include "objects/class_registry.h"
#include "objects/objects.h"
#include "objects/value_types.h"
#include "plugin_test_support.h"
#include "plugins/plugin_host.h"
#include "quillet/windows.h"
#include "ui/controls/control_object.h"

namespace ql {
namespace {

using driver::ScreenCapture;
using namespace plugin_testing;

std::vector<std::string> events;
void on_action(QlObject*) { events.push_back("Action"); }
void on_up(QlObject*) { events.push_back("Up"); }
void on_down(QlObject*) { events.push_back("Down"); }
bool on_mouse_down(QlObject*, int32_t x, int32_t y) {
  events.push_back("MouseDown " + std::to_string(x) + "," + std::to_string(y));
  return true;
}
void on_mouse_up(QlObject*, int32_t x, int32_t y) {
  events.push_back("MouseUp " + std::to_string(x) + "," + std::to_string(y));
}

TestControl control(const char* class_name, const char* name, int left, int top, int width, int height,
                    Properties more = {}) {
  plugin_testing::install_quilapp1();
  ClassObject* cls = plugin_testing::subclass_of(
      class_by_name(class_name), {{"Action", 0, reinterpret_cast<uintptr_t>(on_action)},
                                  {"Up", 0, reinterpret_cast<uintptr_t>(on_up)},
                                  {"Down", 0, reinterpret_cast<uintptr_t>(on_down)},
                                  {"MouseDown", 0, reinterpret_cast<uintptr_t>(on_mouse_down)},
                                  {"MouseUp", 0, reinterpret_cast<uintptr_t>(on_mouse_up)}});
  return {cls, control_properties(name, left, top, width, height, more)};
}

COLORREF sys(int index) { return GetSysColor(index); }

COLORREF pixel(const TestWindow& window, int x, int y) {
  return ScreenCapture::of_window(window.hwnd()).at(window.screen_point(x, y));
}

void click(const TestWindow& window, int x, int y) {
  driver::click_at(window.screen_point(x, y));
  settle();
}

TEST(AppearanceControls, DrawingOfPlacardSeparatorPopupArrowImageWellAndTriangle) {
  TestWindow window({control("Placard", "Plain", 20, 20, 40, 30),
                     control("Placard", "Sunk", 70, 20, 40, 30, {{"Value", "True"}}),
                     control("Separator", "Line", 20, 70, 100, 4),
                     control("PopupArrow", "Down", 140, 20, 10, 10, {{"Facing", "3"}}),
                     control("ImageWell", "Well", 140, 60, 32, 32),
                     control("DisclosureTriangle", "Tri", 200, 20, 12, 12)});
  ASSERT_TRUE(window.hwnd());
  EXPECT_EQ(pixel(window, 20, 20), RGB(0, 0, 0));
  EXPECT_EQ(pixel(window, 21, 21), sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(pixel(window, 30, 30), sys(COLOR_BTNFACE));
  EXPECT_EQ(pixel(window, 58, 48), sys(COLOR_BTNSHADOW));
  EXPECT_EQ(pixel(window, 80, 30), sys(COLOR_BTNSHADOW));
  EXPECT_EQ(pixel(window, 108, 48), sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(pixel(window, 50, 72), sys(COLOR_BTNSHADOW));
  EXPECT_EQ(pixel(window, 50, 73), sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(pixel(window, 50, 71), RGB(255, 255, 255));  // the window shows through above the line
  EXPECT_EQ(pixel(window, 144, 21), RGB(0, 0, 0));       // the large down arrow
  EXPECT_EQ(pixel(window, 144, 26), RGB(255, 255, 255));
  EXPECT_EQ(pixel(window, 150, 60), RGB(0x99, 0, 0));  // the well's top edge
  EXPECT_EQ(pixel(window, 171, 80), RGB(255, 255, 255));
  EXPECT_EQ(pixel(window, 141, 80), RGB(0, 0, 0));
  EXPECT_EQ(pixel(window, 156, 76), RGB(255, 255, 255));
  EXPECT_EQ(pixel(window, 203, 25), sys(COLOR_BTNHIGHLIGHT));  // closed, pointing right
}

TEST(AppearanceControls, ClicksRaiseTheirEventsAndAHeldArrowRepeats) {
  TestClock clock;
  TestWindow window({control("DisclosureTriangle", "Tri", 20, 20, 12, 12),
                     control("LittleArrows", "Arrows", 60, 20, 13, 23),
                     control("ImageWell", "Well", 100, 20, 32, 32)});
  ASSERT_TRUE(window.hwnd());
  events.clear();
  click(window, 24, 24);
  EXPECT_EQ(events, std::vector<std::string>{"Action"});
  EXPECT_EQ(pixel(window, 25, 23), sys(COLOR_BTNHIGHLIGHT));  // open: pointing down
  EXPECT_EQ(pixel(window, 23, 27), RGB(255, 255, 255));       // the closed triangle is gone

  events.clear();
  click(window, 65, 25);
  click(window, 65, 38);
  EXPECT_EQ(events, (std::vector<std::string>{"Up", "Down"}));

  // Holding an arrow repeats its event once more than 15 ticks have passed since the press, not before.
  events.clear();
  mouse_button(window.screen_point(65, 25), true);
  ASSERT_TRUE(pump_until([] { return !events.empty(); }));
  clock.advance(15 * 16);
  run_passes(20);
  EXPECT_EQ(events.size(), 1u) << "a repeat within 15 ticks";
  clock.advance(16);
  EXPECT_TRUE(pump_until([] { return events.size() > 1; })) << "no repeat after 16 ticks";
  mouse_button(window.screen_point(65, 25), false);
  settle();
  for (const std::string& e : events) EXPECT_EQ(e, "Up");

  events.clear();
  click(window, 110, 30);
  EXPECT_EQ(events, (std::vector<std::string>{"MouseDown 110,30", "MouseUp 110,30"}));
}

TEST(AppearanceControls, ChasingArrowsAdvanceOneFrameEveryTenTicksWhileShown) {
  TestClock clock;
  TestWindow window({control("ChasingArrows", "Busy", 20, 20, 16, 16)}, 40, 40, 400, 300);
  ASSERT_TRUE(window.hwnd());
  QlObject* arrows = window.control("Busy");
  auto frame = [&] {
    return *reinterpret_cast<int32_t*>(reinterpret_cast<uint8_t*>(arrows) + QL_PLUGIN_CONTROL_DATA_OFFSET);
  };
  const int32_t first = frame();
  run_passes(20);
  EXPECT_EQ(frame(), first) << "no frame before ten ticks";
  for (int32_t step = 1; step <= 9; ++step) {
    clock.advance(10 * 16);
    EXPECT_TRUE(pump_until([&] { return frame() == (first + step) % 8; })) << step;
    run_passes(5);
    EXPECT_EQ(frame(), (first + step) % 8) << "more than one frame in ten ticks";
  }
  ScreenCapture shot = ScreenCapture::of_window(window.hwnd());
  POINT a = window.screen_point(20, 20), b = window.screen_point(36, 36);
  EXPECT_GT(shot.count(RGB(0, 0, 0), 0, RECT{a.x, a.y, b.x, b.y}), 10);
  ControlVisibleSetter(arrows, 0, false);
  const int32_t hidden = frame();
  clock.advance(40 * 16);
  run_passes(20);
  EXPECT_EQ(frame(), hidden);
}

}  // namespace
}  // namespace ql
