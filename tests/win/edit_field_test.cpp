// Edit fields under real input: typed text reads back, focus events follow the clicks, a password field
// keeps its text behind the mask, colours reach the screen, and a closed field answers the text last set.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver_input.h"
#include "driver_pixels.h"
#include "quillet/controls.h"
#include "support/ui_test_window.h"
#include "ui/controls/edit_field_pane.h"
#include "values/string.h"

namespace ql::testing {
namespace {

std::vector<std::string> happened;
int name_changes = 0;
void name_changed(QlObject*) { ++name_changes; }
void name_got_focus(QlObject*) { happened.push_back("name got focus"); }
void name_lost_focus(QlObject*) { happened.push_back("name lost focus"); }
void secret_got_focus(QlObject*) { happened.push_back("secret got focus"); }

Properties field(const std::string& name, int top, int height, Properties more) {
  Properties p = control_properties(name, 20, top, 200, height);
  p.insert(p.end(), more.begin(), more.end());
  return p;
}

POINT inside(const TestWindow& window, QlObject* control, int dx, int dy) {
  const Rect16& r = as_control_fields(control)->bounds;
  return window.screen_point(r.left + dx, r.top + dy);
}

std::string text(QlObject* field) { return take_text(editTextGetter(field, 0)); }

void set_text(QlObject* field, const char* value) {
  QlString s = runtime_string(value);
  editTextSetter(field, 0, s);
  string_release(s);
}

TEST(EditField, TypedTextPasswordsColoursAndTheTextOfAClosedField) {
  happened.clear();
  name_changes = 0;
  TestClass name_class("EditField"), secret_class("EditField"), notes_class("EditField");
  name_class.on("TextChange", name_changed).on("GotFocus", name_got_focus).on("LostFocus", name_lost_focus);
  secret_class.on("GotFocus", secret_got_focus);
  TestWindow window({{&name_class, field("Name", 20, 24, {{"Border", "True"}, {"TextSize", "12"}})},
                     {&secret_class, field("Secret", 60, 24, {{"Password", "True"}})},
                     {&notes_class, field("Notes", 100, 80, {{"MultiLine", "True"}, {"Text", "a note"}})}},
                    100, 100, 260, 200);
  ASSERT_TRUE(window.built());
  ASSERT_TRUE(driver::bring_to_front(window.hwnd()));
  QlObject* name = window.control("Name");
  QlObject* secret = window.control("Secret");
  QlObject* notes = window.control("Notes");

  driver::click_at(inside(window, name, 100, 12));
  driver::type_text("hello");
  ASSERT_TRUE(pump_until([&] { return text(name) == "hello"; }));
  EXPECT_EQ(name_changes, 5);

  driver::press_key(VK_TAB);  // the window moves the focus on to the next field
  driver::type_text("pw1");
  ASSERT_TRUE(pump_until([&] { return text(secret) == "pw1"; }));
  EXPECT_EQ(happened, (std::vector<std::string>{"name got focus", "name lost focus", "secret got focus"}));
  // What the control shows is the mask; the field answers the text behind it.
  HWND secret_hwnd = edit_pane_of(secret)->control_hwnd();
  EXPECT_EQ(SendMessageA(secret_hwnd, EM_GETPASSWORDCHAR, 0, 0), '*');
  set_text(secret, "open sesame");
  EXPECT_EQ(text(secret), "open sesame");
  EXPECT_EQ(SendMessageA(secret_hwnd, EM_GETPASSWORDCHAR, 0, 0), '*');

  // Multi-line fields are rich-edit controls; both kinds take their back colour.
  char class_name[32] = {};
  GetClassNameA(edit_pane_of(notes)->control_hwnd(), class_name, sizeof class_name);
  EXPECT_EQ(lstrcmpiA(class_name, rich_edit_class()), 0) << class_name;
  EXPECT_EQ(text(notes), "a note");
  editBackColorSetter(name, 0, 0x00C000);
  editBackColorSetter(notes, 0, 0x3060FF);
  settle();
  EXPECT_TRUE(
      driver::colors_close(driver::screen_pixel(inside(window, name, 190, 12)), RGB(0x00, 0xC0, 0x00), 8));
  EXPECT_TRUE(
      driver::colors_close(driver::screen_pixel(inside(window, notes, 120, 60)), RGB(0x30, 0x60, 0xFF), 8));

  // Typed text is the control's; a closed field answers what was last set.
  set_text(name, "stored");
  driver::click_at(inside(window, name, 190, 12));
  driver::type_text(" typed");
  ASSERT_TRUE(pump_until([&] { return text(name) == "stored typed"; }));
  retain_object(name);
  window.close();
  EXPECT_EQ(text(name), "stored");
  release_object(name);
}

}  // namespace
}  // namespace ql::testing
