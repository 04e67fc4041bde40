// Push buttons under real input: a click tells the receivers and raises Action; Return and Escape reach the
// window's default and cancel buttons; the default look follows the focus.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver_input.h"
#include "objects/objects.h"
#include "quillet/controls.h"
#include "quillet/windows.h"
#include "support/ui_test_window.h"
#include "ui/controls/push_button_pane.h"
#include "values/string.h"

namespace ql::testing {
namespace {

std::vector<std::string> happened;
void ok_action(QlObject*) { happened.push_back("ok"); }
void cancel_action(QlObject*) { happened.push_back("cancel"); }
void receiver_told(QlObject*) { happened.push_back("receiver"); }

Properties button(const std::string& name, int left, Properties more) {
  Properties p = control_properties(name, left, 20, 80, 24);
  p.insert(p.end(), more.begin(), more.end());
  return p;
}

POINT centre_of(const TestWindow& window, QlObject* control) {
  const Rect16& r = as_control_fields(control)->bounds;
  return window.screen_point((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

bool looks_default(QlObject* control) {
  HWND inner = button_pane_of(control)->control_hwnd();
  return (GetWindowLongA(inner, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

TEST(PushButton, ClicksReturnAndEscapeRaiseActionAfterTheReceivers) {
  happened.clear();
  TestClass ok_class("PushButton"), cancel_class("PushButton"), field_class("EditField");
  ok_class.on("Action", ok_action);
  cancel_class.on("Action", cancel_action);
  TestClass receiver_class("Object");
  receiver_class.method("PerformAction", receiver_told);
  TestWindow window({{&ok_class, button("OK", 20, {{"Caption", "OK"}, {"Default", "True"}})},
                     {&cancel_class, button("Cancel", 120, {{"Caption", "Cancel"}, {"Cancel", "True"}})},
                     {&field_class, control_properties("Entry", 20, 70, 180, 24)}},
                    100, 100, 240, 120);
  ASSERT_TRUE(window.built());
  ASSERT_TRUE(driver::bring_to_front(window.hwnd()));
  QlObject* ok = window.control("OK");
  QlObject* cancel = window.control("Cancel");
  QlObject* receiver = new_object(receiver_class.get());
  pbAddActionNotificationReceiver(ok, receiver);
  release_object(receiver);  // the button holds it now

  driver::click_at(centre_of(window, ok));
  ASSERT_TRUE(pump_until([] { return happened.size() >= 2; }));
  EXPECT_EQ(happened, (std::vector<std::string>{"receiver", "ok"}));
  EXPECT_TRUE(looks_default(ok));  // it has the focus

  // With the focus in the field, Return pushes the default button and Escape the cancel button.
  driver::click_at(centre_of(window, window.control("Entry")));
  settle();
  EXPECT_TRUE(looks_default(ok));
  EXPECT_FALSE(looks_default(cancel));
  happened.clear();
  driver::press_key(VK_RETURN);
  ASSERT_TRUE(pump_until([] { return happened.size() >= 2; }));
  driver::press_key(VK_ESCAPE);
  ASSERT_TRUE(pump_until([] { return happened.size() >= 3; }));
  EXPECT_EQ(happened, (std::vector<std::string>{"receiver", "ok", "cancel"}));

  // The button with the focus looks default, whichever it is.
  driver::click_at(centre_of(window, cancel));
  ASSERT_TRUE(pump_until([] { return happened.size() >= 4; }));
  EXPECT_TRUE(looks_default(cancel));
  EXPECT_FALSE(looks_default(ok));

  // Pushing from code; a disabled button is neither pushed nor reached by Return.
  happened.clear();
  int32_t live = live_object_count();
  pbRemoveActionNotificationReceiver(ok, receiver);  // gives back the last reference
  EXPECT_EQ(live_object_count(), live - 1);
  pushButtonPush(ok);
  EXPECT_EQ(happened, (std::vector<std::string>{"ok"}));
  controlEnabledSetter(ok, 0, false);
  pushButtonPush(ok);
  driver::click_at(centre_of(window, window.control("Entry")));
  driver::press_key(VK_RETURN);
  settle();
  EXPECT_EQ(happened, (std::vector<std::string>{"ok"}));

  QlString go = runtime_string("Go");
  pushButtonTitleSetter(ok, 0, go);
  string_release(go);
  char caption[16] = {};
  GetWindowTextA(button_pane_of(ok)->control_hwnd(), caption, sizeof caption);
  EXPECT_STREQ(caption, "Go");
  EXPECT_EQ(take_text(pushButtonTitleGetter(ok, 0)), "Go");
}

}  // namespace
}  // namespace ql::testing
