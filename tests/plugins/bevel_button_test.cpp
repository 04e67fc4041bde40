// quilapp1's BevelButton in a window built from a description: drawn by the plug-in in its normal,
// pressed, set and disabled states, clicked with real input, repainted by its setters, and holding its icon.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "driver_input.h"
#include "driver_pixels.h"
#include "objects/class_registry.h"
#include "objects/objects.h"
#include "objects/value_types.h"
#include "plugin_test_support.h"
#include "quillet/strings.h"
#include "quillet/windows.h"
#include "ui/controls/control_object.h"
#include "ui/ui_steps.h"
#include "values/string.h"

namespace ql {
namespace {

using driver::ScreenCapture;
using namespace plugin_testing;

int actions = 0;
void on_action(QlObject*) { ++actions; }

ClassObject* button_class() {
  plugin_testing::install_quilapp1();
  static ClassObject* cls = plugin_testing::subclass_of(
      class_by_name("BevelButton"), {{"Action", 0, reinterpret_cast<uintptr_t>(on_action)}});
  return cls;
}

TestControl button(const char* name, int left, int top, Properties more = {}) {
  Properties properties =
      control_properties(name, left, top, 100, 30,
                         {{"Caption", name}, {"Bevel", "1"}, {"TextFont", "Arial"}, {"TextSize", "12"}});
  properties.insert(properties.end(), more.begin(), more.end());
  return {button_class(), properties};
}

COLORREF sys(int index) { return GetSysColor(index); }

struct Look {
  COLORREF frame, top_ring, bottom_ring, face;
};

// The colours at the button's corner rows: the frame, the first ring's top-left and bottom-right pixels, the
// face beside the caption.
Look look_of(const TestWindow& window, int left, int top) {
  ScreenCapture shot = ScreenCapture::of_window(window.hwnd());
  return {shot.at(window.screen_point(left, top)), shot.at(window.screen_point(left + 1, top + 1)),
          shot.at(window.screen_point(left + 98, top + 28)),
          shot.at(window.screen_point(left + 5, top + 15))};
}

// Pixels of a colour inside the button's face.
int count_in(const TestWindow& window, int left, int top, COLORREF color) {
  POINT a = window.screen_point(left + 3, top + 3), b = window.screen_point(left + 97, top + 27);
  return ScreenCapture::of_window(window.hwnd()).count(color, 8, RECT{a.x, a.y, b.x, b.y});
}

TEST(BevelButton, DrawsNormalSetDisabledAndMenuStates) {
  TestWindow window({button("Normal", 20, 20), button("Set", 140, 20, {{"Value", "True"}}),
                     button("Off", 20, 70, {{"Enabled", "False"}}),
                     button("Menu", 140, 70, {{"HasMenu", "1"}})});
  ASSERT_TRUE(window.hwnd());
  Look normal = look_of(window, 20, 20);
  EXPECT_EQ(normal.frame, RGB(0, 0, 0));
  EXPECT_EQ(normal.top_ring, sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(normal.bottom_ring, sys(COLOR_BTNSHADOW));
  EXPECT_EQ(normal.face, sys(COLOR_BTNFACE));
  EXPECT_GT(count_in(window, 20, 20, sys(COLOR_BTNTEXT)), 20) << "no caption drawn";

  Look set = look_of(window, 140, 20);
  EXPECT_EQ(set.top_ring, sys(COLOR_BTNSHADOW));
  EXPECT_EQ(set.face, sys(COLOR_BTNSHADOW));

  // Disabled: no rings, and the caption embossed in highlight and shadow.
  Look off = look_of(window, 20, 70);
  EXPECT_EQ(off.frame, RGB(0, 0, 0));
  EXPECT_EQ(off.top_ring, sys(COLOR_BTNFACE));
  EXPECT_EQ(off.bottom_ring, sys(COLOR_BTNFACE));
  EXPECT_GT(count_in(window, 20, 70, sys(COLOR_BTNSHADOW)), 10);
  EXPECT_GT(count_in(window, 20, 70, sys(COLOR_BTNHIGHLIGHT)), 10);
  EXPECT_EQ(count_in(window, 20, 70, sys(COLOR_BTNTEXT)), 0);

  // The menu arrow points down in the bottom-right corner.
  ScreenCapture shot = ScreenCapture::of_window(window.hwnd());
  POINT a = window.screen_point(140 + 86, 70 + 20), b = window.screen_point(140 + 98, 70 + 28);
  EXPECT_GT(shot.count(RGB(0, 0, 0), 0, RECT{a.x, a.y, b.x, b.y}), 10);
}

TEST(BevelButton, ARealClickRaisesActionAndShowsThePressedLookWhileHeld) {
  TestWindow window({button("Push", 20, 20), button("Toggle", 140, 20, {{"ButtonType", "1"}})});
  ASSERT_TRUE(window.hwnd());
  actions = 0;
  POINT centre = window.screen_point(70, 35);
  mouse_button(centre, true);
  ASSERT_TRUE(pump_until([&] { return look_of(window, 20, 20).top_ring == sys(COLOR_BTNSHADOW); }));
  Look pressed = look_of(window, 20, 20);
  EXPECT_EQ(pressed.top_ring, sys(COLOR_BTNSHADOW));
  EXPECT_EQ(pressed.bottom_ring, sys(COLOR_BTNFACE));
  EXPECT_GT(count_in(window, 20, 20, RGB(255, 255, 255)), 20) << "the caption turns white while pressed";
  EXPECT_EQ(actions, 0);
  mouse_button(centre, false);
  ASSERT_TRUE(pump_until([] { return actions == 1; }));
  settle();
  EXPECT_EQ(look_of(window, 20, 20).top_ring, sys(COLOR_BTNHIGHLIGHT));

  // Released outside the button: no Action, and the pressed look goes as the pointer leaves.
  mouse_button(centre, true);
  ASSERT_TRUE(pump_until([&] { return look_of(window, 20, 20).top_ring == sys(COLOR_BTNSHADOW); }));
  SetCursorPos(centre.x, centre.y + 120);
  EXPECT_TRUE(pump_until([&] { return look_of(window, 20, 20).top_ring == sys(COLOR_BTNHIGHLIGHT); }));
  mouse_button(window.screen_point(70, 155), false);
  settle();
  EXPECT_EQ(actions, 1);

  // A toggle button changes its value on each completed click.
  QlObject* toggle = window.control("Toggle");
  const PropertyRecord* value = find_property(class_of(toggle), "Value");
  auto get_value = [&] {
    return reinterpret_cast<bool (*)(QlObject*, intptr_t)>(value->getter)(toggle, value->parameter);
  };
  EXPECT_FALSE(get_value());
  for (bool expected : {true, false}) {
    driver::click_at(window.screen_point(190, 35));
    settle();
    EXPECT_EQ(get_value(), expected);
  }
  EXPECT_EQ(actions, 3);
}

TEST(BevelButton, CaptionAndEnabledSettersRepaint) {
  TestWindow window({button("Short", 20, 20)});
  ASSERT_TRUE(window.hwnd());
  QlObject* control = window.control("Short");
  int before = count_in(window, 20, 20, sys(COLOR_BTNTEXT));
  ASSERT_GT(before, 0);
  ASSERT_TRUE(apply_property_text(control, "Caption", "A much longer caption"));
  settle();
  int after = count_in(window, 20, 20, sys(COLOR_BTNTEXT));
  EXPECT_GT(after, before + 20);
  const PropertyRecord* caption = find_property(class_of(control), "Caption");
  auto text =
      reinterpret_cast<QlString (*)(QlObject*, intptr_t)>(caption->getter)(control, caption->parameter);
  EXPECT_STREQ(StringGetCString(text), "A much longer caption");
  RuntimeUnlockString(text);

  // A direct set of a property with flag bit 0 redraws the control: the menu arrow appears.
  auto arrow_pixels = [&] {
    POINT a = window.screen_point(20 + 86, 20 + 20), b = window.screen_point(20 + 98, 20 + 28);
    return ScreenCapture::of_window(window.hwnd()).count(RGB(0, 0, 0), 0, RECT{a.x, a.y, b.x, b.y});
  };
  EXPECT_EQ(arrow_pixels(), 0);
  ASSERT_TRUE(apply_property_text(control, "HasMenu", "1"));
  settle();
  EXPECT_GT(arrow_pixels(), 10);
  ASSERT_TRUE(apply_property_text(control, "HasMenu", "0"));
  settle();

  controlEnabledSetter(control, 0, false);
  settle();
  EXPECT_EQ(look_of(window, 20, 20).top_ring, sys(COLOR_BTNFACE));
  EXPECT_EQ(count_in(window, 20, 20, sys(COLOR_BTNTEXT)), 0);
  controlEnabledSetter(control, 0, true);
  settle();
  EXPECT_EQ(look_of(window, 20, 20).top_ring, sys(COLOR_BTNHIGHLIGHT));
}

// A picture of one 15-bit colour, made from a record as the image holds one; the record must outlive it.
QlObject* solid_picture(std::vector<uint8_t>& record, uint32_t width, uint32_t height, uint16_t colour) {
  const uint32_t row = (width + 1) / 2 * 4, header[6] = {1, 0, 16, width, height, row * height};
  record.assign(sizeof header + row * height, 0);
  std::memcpy(record.data(), header, sizeof header);
  for (uint32_t y = 0; y < height; ++y)
    for (uint32_t x = 0; x < width; ++x) std::memcpy(&record[sizeof header + y * row + x * 2], &colour, 2);
  return make_picture_item(record.data() + 4);
}

int32_t count_of(QlObject* object) { return object_header(object)->count; }

TEST(BevelButton, AnIconIsDrawnWithTheCaptionAndTheMenuArrowAndHeldByReference) {
  std::vector<uint8_t> green_record, red_record;
  QlObject* first = solid_picture(green_record, 10, 8, 0x03E0);
  QlObject* second = solid_picture(red_record, 6, 6, 0x7C00);
  {
    TestWindow window(
        {button("Iconic", 20, 20, {{"IconAlign", "6"}, {"IconDX", "4"}, {"IconDY", "4"}, {"HasMenu", "1"}})});
    ASSERT_TRUE(window.hwnd());
    QlObject* control = window.control("Iconic");
    const PropertyRecord* icon = find_property(class_of(control), "Icon");
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->type, builtin_class("Picture"));
    auto set_icon = reinterpret_cast<void (*)(QlObject*, intptr_t, QlObject*)>(icon->setter);
    auto get_icon = reinterpret_cast<QlObject* (*)(QlObject*, intptr_t)>(icon->getter);
    set_icon(control, icon->parameter, first);
    EXPECT_EQ(count_of(first), 2);
    QlObject* got = get_icon(control, icon->parameter);
    EXPECT_EQ(got, first);
    EXPECT_EQ(count_of(first), 3);
    release_object(got);
    settle();
    // Top-left alignment with both offsets: the icon at (left + 4, top + 4).
    ScreenCapture shot = ScreenCapture::of_window(window.hwnd());
    EXPECT_EQ(shot.at(window.screen_point(20 + 4 + 5, 20 + 4 + 4)), RGB(0, 255, 0));
    // The caption and the menu arrow come after the icon, into the same drawing.
    EXPECT_GT(count_in(window, 20, 20, sys(COLOR_BTNTEXT)), 20) << "no caption drawn after the icon";
    POINT a = window.screen_point(20 + 86, 20 + 20), b = window.screen_point(20 + 98, 20 + 28);
    EXPECT_GT(shot.count(RGB(0, 0, 0), 0, RECT{a.x, a.y, b.x, b.y}), 10) << "no menu arrow after the icon";
    set_icon(control, icon->parameter, second);
    EXPECT_EQ(count_of(first), 1);
    EXPECT_EQ(count_of(second), 2);
  }
  // The window's close released the control, and the plug-in gave back its icon.
  EXPECT_EQ(count_of(second), 1);
  release_object(first);
  release_object(second);
}

// Calls a method of the control's class by name, as compiled code calls the routine a deferred import found.
template <typename Result, typename... Args>
Result call(QlObject* control, const char* method, Args... args) {
  const MethodRecord* found = find_method(class_of(control), method);
  EXPECT_NE(found, nullptr) << method;
  return reinterpret_cast<Result (*)(QlObject*, Args...)>(found->code)(control, args...);
}

std::string row_text(QlObject* control, int32_t row) {
  QlString text = call<QlString>(control, "List", row);
  std::string out = text ? StringGetCString(text) : "(null)";
  RuntimeUnlockString(text);
  return out;
}

int performed = 0;
void perform_action(QlObject*) { ++performed; }

// Presses keys from another thread once the popup menu shows, as a person would, and says when they are sent.
std::thread keys_for_menu(std::vector<WORD> keys, std::atomic<bool>& sent) {
  return std::thread([keys, &sent] {
    for (int i = 0; i < 400 && !FindWindowA("#32768", nullptr); ++i) Sleep(10);
    Sleep(50);
    for (WORD key : keys) {
      INPUT input[2] = {};
      input[0].type = input[1].type = INPUT_KEYBOARD;
      input[0].ki.wVk = input[1].ki.wVk = key;
      input[1].ki.dwFlags = KEYEVENTF_KEYUP;
      SendInput(2, input, sizeof(INPUT));
      Sleep(40);
    }
    sent = true;
  });
}

TEST(BevelButton, MenuRowsChoicesAndActionNotificationReceivers) {
  TestWindow window({button("Menu", 20, 20, {{"HasMenu", "1"}})});
  ASSERT_TRUE(window.hwnd());
  QlObject* control = window.control("Menu");
  QlString a = string_from_cstr("a"), b = string_from_cstr("b"), c = string_from_cstr("c");
  call<void>(control, "InsertRow", int32_t{0}, c);  // on an empty menu: appended
  call<void>(control, "RemoveRow", int32_t{0});
  call<void>(control, "RemoveRow", int32_t{3});  // past the end: nothing
  call<void>(control, "AddRow", a);
  call<void>(control, "AddSeparator");
  call<void>(control, "AddRow", b);
  EXPECT_EQ(a->count, 2);  // the row keeps a reference
  EXPECT_EQ(row_text(control, 0), "a");
  EXPECT_EQ(row_text(control, 1), "(null)");  // the separator
  EXPECT_EQ(row_text(control, 2), "b");
  EXPECT_EQ(row_text(control, 5), "(null)");

  const PropertyRecord* menu_value = find_property(class_of(control), "MenuValue");
  auto value_of = [&] {
    return reinterpret_cast<int32_t (*)(QlObject*, intptr_t)>(menu_value->getter)(control,
                                                                                  menu_value->parameter);
  };
  // A receiver of the menu button hears of a menu choice too: it raises Action, and every Action of a
  // BevelButton is followed by its receivers' PerformAction.
  static ClassObject receiver_class;
  receiver_class.instance_size = sizeof(ObjectBase);
  receiver_class.interfaces = {{builtin_class("actionNotificationReceiver"), {}}};
  receiver_class.methods = {{"PerformAction", reinterpret_cast<uintptr_t>(perform_action), 0}};
  QlObject* menu_receiver = new_object(&receiver_class);
  call<void>(control, "addActionNotificationReceiver", menu_receiver);
  performed = 0;
  actions = 0;
  std::atomic<bool> keys_sent = false;
  std::thread choose = keys_for_menu({VK_DOWN, VK_DOWN, VK_RETURN}, keys_sent);
  mouse_button(window.screen_point(70, 35), true);
  EXPECT_TRUE(pump_until([] { return actions > 0; }));
  choose.join();
  mouse_button(window.screen_point(70, 35), false);
  settle();
  EXPECT_EQ(actions, 1);
  EXPECT_EQ(performed, 1);
  EXPECT_EQ(value_of(), 2);

  keys_sent = false;
  std::thread dismiss = keys_for_menu({VK_ESCAPE}, keys_sent);
  mouse_button(window.screen_point(70, 35), true);
  EXPECT_TRUE(pump_until([&] { return keys_sent.load(); }));
  dismiss.join();
  mouse_button(window.screen_point(70, 35), false);
  settle();
  EXPECT_EQ(actions, 1);
  EXPECT_EQ(performed, 1);  // a dismissed menu raises nothing
  EXPECT_EQ(value_of(), 2);
  call<void>(control, "removeActionNotificationReceiver", menu_receiver);
  release_object(menu_receiver);

  // Receivers hear of a completed click through their actionNotificationReceiver's PerformAction.
  TestWindow second({button("Push", 20, 20)});
  QlObject* push = second.control("Push");
  QlObject* receiver = new_object(&receiver_class);
  call<void>(push, "addActionNotificationReceiver", receiver);
  EXPECT_EQ(object_header(receiver)->count, 2);
  performed = 0;
  POINT at = second.screen_point(70, 35);
  driver::click_at(at);
  settle();
  EXPECT_EQ(performed, 1);
  call<void>(push, "removeActionNotificationReceiver", receiver);
  EXPECT_EQ(object_header(receiver)->count, 1);
  driver::click_at(at);
  settle();
  EXPECT_EQ(performed, 1);
  release_object(receiver);

  call<void>(control, "DeleteAllRows");
  EXPECT_EQ(a->count, 1);
  EXPECT_EQ(row_text(control, 0), "(null)");
  for (QlString s : {a, b, c}) string_release(s);
}

}  // namespace
}  // namespace ql
