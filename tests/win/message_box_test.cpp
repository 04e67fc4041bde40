// RuntimeMsgBox: the caption "Message", the application's window as owner, and no input for the other
// windows while the box is up. A thread of the test plays the user: it reads the box, clicks another
// window, then presses OK.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "driver_input.h"
#include "message_boxes.h"
#include "quillet/start.h"
#include "support/ui_test_window.h"
#include "values/string.h"

namespace ql::testing {
namespace {

std::atomic<int> presses{0};
bool count_press(QlObject*, int32_t, int32_t) {
  ++presses;
  return false;
}

struct SeenBox {
  harness::MessageBox content;
  HWND owner = nullptr;
  bool found = false;
};

TEST(RuntimeMessageBox, CaptionOwnerAndNoInputForOtherWindows) {
  presses = 0;
  TestWindow main_window({}, 100, 100, 300, 200);
  TestClass other_class("Window");
  other_class.on("MouseDown", count_press);
  TestWindow other({}, 700, 500, 200, 150, &other_class);
  ASSERT_TRUE(main_window.built() && other.built());
  POINT other_centre = other.screen_point(100, 75);

  SeenBox seen;
  std::thread user([&] {
    DWORD deadline = GetTickCount() + 5000;
    while (static_cast<int32_t>(deadline - GetTickCount()) > 0) {
      std::vector<void*> boxes = harness::visible_message_boxes(GetCurrentProcessId());
      if (boxes.empty()) {
        Sleep(10);
        continue;
      }
      seen.content = harness::read_message_box(boxes[0]);
      seen.owner = GetWindow(static_cast<HWND>(boxes[0]), GW_OWNER);
      seen.found = true;
      driver::click_at(other_centre);
      // A person's pause before answering the box: the click reaches the program through the X server and
      // must arrive while the box is still up, however busy the machine is.
      Sleep(300);
      harness::press_default_button(boxes[0]);
      return;
    }
  });
  QlString text = runtime_string("Saved 441 rows.");
  RuntimeMsgBox(text);
  string_release(text);
  user.join();
  settle();

  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.content.caption, "Message");
  EXPECT_NE(seen.content.text.find("Saved 441 rows."), std::string::npos) << seen.content.text;
  EXPECT_EQ(seen.owner, main_window.hwnd());
  // Everything queued is handled by now: a click given while the box was up never reaches the other window.
  EXPECT_EQ(presses.load(), 0) << "the other window took a click while the box was up";
  // The same click reaches it once the box is gone.
  driver::click_at(other_centre);
  EXPECT_TRUE(pump_until([] { return presses.load() == 1; }));
  settle();
  EXPECT_EQ(presses.load(), 1);
}

}  // namespace
}  // namespace ql::testing
