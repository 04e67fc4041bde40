// quilapp1's registration and its seven other controls in a window: how they draw, what their clicks
// raise, and ChasingArrows' animation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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
using plugin_testing::ControlSpec;
using plugin_testing::TestWindow;

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

ControlSpec control(const char* class_name, const char* name, int left, int top, int width, int height,
                    plugin_testing::Properties more = {}) {
  plugin_testing::install_quilapp1();
  ClassObject* cls = plugin_testing::subclass_of(
      class_by_name(class_name), {{"Action", 0, reinterpret_cast<uintptr_t>(on_action)},
                                  {"Up", 0, reinterpret_cast<uintptr_t>(on_up)},
                                  {"Down", 0, reinterpret_cast<uintptr_t>(on_down)},
                                  {"MouseDown", 0, reinterpret_cast<uintptr_t>(on_mouse_down)},
                                  {"MouseUp", 0, reinterpret_cast<uintptr_t>(on_mouse_up)}});
  plugin_testing::Properties properties = {{"Name", name},
                                           {"Left", std::to_string(left)},
                                           {"Top", std::to_string(top)},
                                           {"Width", std::to_string(width)},
                                           {"Height", std::to_string(height)}};
  properties.insert(properties.end(), more.begin(), more.end());
  return {cls, properties};
}

COLORREF sys(int index) { return GetSysColor(index); }

COLORREF pixel(const TestWindow& window, int x, int y) {
  return ScreenCapture::of_window(window.hwnd()).at(window.on_screen(x, y));
}

void click(const TestWindow& window, int x, int y) {
  plugin_testing::mouse_button(window.on_screen(x, y), true);
  plugin_testing::pump(60);
  plugin_testing::mouse_button(window.on_screen(x, y), false);
  plugin_testing::pump(120);
}

TEST(AppearanceControls, EightControlsRegisterInOrderWithVersionFour) {
  plugin_testing::install_quilapp1();
  LoadedPlugin* quilapp1 = nullptr;
  for (LoadedPlugin* plugin : loaded_plugins()) {
    if (plugin->file_name == "quilapp1.dll") quilapp1 = plugin;
  }
  ASSERT_NE(quilapp1, nullptr);
  EXPECT_EQ(quilapp1->version, 4);
  std::vector<std::string> names;
  for (ClassObject* cls : quilapp1->classes) names.push_back(class_name(cls));
  EXPECT_EQ(names, (std::vector<std::string>{"BevelButton", "ChasingArrows", "LittleArrows", "Placard",
                                             "Separator", "PopupArrow", "DisclosureTriangle", "ImageWell"}));
  ClassObject* bevel = class_by_name("BevelButton");
  int properties = 0;
  for (const PropertyRecord& p : bevel->properties) properties += p.getter || p.setter ? 1 : 0;
  EXPECT_EQ(properties, 18);
  EXPECT_EQ(bevel->methods.size(), 8u);
  ASSERT_EQ(bevel->events.size(), 1u);
  EXPECT_EQ(bevel->events[0]->name, "Action");
  ASSERT_EQ(bevel->interfaces.size(), 1u);
  EXPECT_EQ(class_name(bevel->interfaces[0].interface_class), "actionSource");
  EXPECT_EQ(class_by_name("ImageWell")->events.size(), 3u);
  EXPECT_EQ(class_by_name("LittleArrows")->events.size(), 2u);
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

TEST(AppearanceControls, ClicksRaiseTheirEvents) {
  TestWindow window({control("DisclosureTriangle", "Tri", 20, 20, 12, 12),
                     control("LittleArrows", "Arrows", 60, 20, 13, 23),
                     control("ImageWell", "Well", 100, 20, 32, 32)});
  ASSERT_TRUE(window.hwnd());
  events.clear();
  click(window, 24, 24);
  EXPECT_EQ(events, std::vector<std::string>{"Action"});
  plugin_testing::pump(100);
  EXPECT_EQ(pixel(window, 25, 23), sys(COLOR_BTNHIGHLIGHT));  // open: pointing down
  EXPECT_EQ(pixel(window, 23, 27), RGB(255, 255, 255));       // the closed triangle is gone

  events.clear();
  click(window, 65, 25);
  click(window, 65, 38);
  EXPECT_EQ(events, (std::vector<std::string>{"Up", "Down"}));

  // Holding an arrow repeats its event once more than 15 ticks have passed.
  events.clear();
  plugin_testing::mouse_button(window.on_screen(65, 25), true);
  plugin_testing::pump(600);
  plugin_testing::mouse_button(window.on_screen(65, 25), false);
  plugin_testing::pump(60);
  EXPECT_GT(events.size(), 2u);
  for (const std::string& e : events) EXPECT_EQ(e, "Up");

  events.clear();
  click(window, 110, 30);
  EXPECT_EQ(events, (std::vector<std::string>{"MouseDown 110,30", "MouseUp 110,30"}));
}

TEST(AppearanceControls, ChasingArrowsAdvanceWhileShown) {
  TestWindow window({control("ChasingArrows", "Busy", 20, 20, 16, 16)});
  ASSERT_TRUE(window.hwnd());
  QlObject* arrows = window.control("Busy");
  auto frame = [&] {
    return *reinterpret_cast<int32_t*>(reinterpret_cast<uint8_t*>(arrows) + QL_PLUGIN_CONTROL_DATA_OFFSET);
  };
  int32_t first = frame();
  plugin_testing::pump(400);
  int32_t later = frame();
  EXPECT_NE(later, first);
  EXPECT_GE(later, 0);
  EXPECT_LT(later, 8);
  int black = 0;
  {
    ScreenCapture shot = ScreenCapture::of_window(window.hwnd());
    POINT a = window.on_screen(20, 20), b = window.on_screen(36, 36);
    black = shot.count(RGB(0, 0, 0), 0, RECT{a.x, a.y, b.x, b.y});
  }
  EXPECT_GT(black, 10);
  ControlVisibleSetter(arrows, 0, false);
  int32_t hidden = frame();
  plugin_testing::pump(400);
  EXPECT_EQ(frame(), hidden);
}

}  // namespace
}  // namespace ql
