// The display settings a learner reaches once the window is enlarged: the background and box colour
// buttons, and the Screen button's large layout.
#include "loquat_fixture.h"

namespace ql::loquat_tests {
namespace {

TEST_F(Loquat, TheColourButtonsCycleTheCanvasAndTheBoxes) {
  ASSERT_TRUE(choose({"Articles", "6  Practice"}));
  enlarge_window();
  RECT canvas = client_rect_on_screen(control(kBigCanvas));
  const POINT below_the_boxes = {canvas.left + 10, canvas.top + 350};
  EXPECT_TRUE(expect_color_at(below_the_boxes, kWhite));
  // white -> green -> red -> ink -> beige -> white
  const COLORREF cycle[] = {RGB(0, 100, 0), RGB(255, 0, 0), RGB(0, 0, 100), RGB(255, 255, 190), kWhite};
  for (COLORREF next : cycle) {
    ASSERT_TRUE(click(control(kPushButton1)));
    EXPECT_TRUE(expect_color_at(below_the_boxes, next));
  }

  // The boxes' fill: 255,255,255 -> 100,100,100 -> 220,220,120 -> ...
  HWND start = box(1);
  ASSERT_TRUE(is_visible(start));
  const POINT inside = to_screen(start, {4, 4});
  EXPECT_TRUE(expect_color_at(inside, kWhite));
  ASSERT_TRUE(click(control(kPushButton5)));
  EXPECT_TRUE(expect_color_at(inside, RGB(100, 100, 100)));
  ASSERT_TRUE(click(control(kPushButton5)));
  EXPECT_TRUE(expect_color_at(inside, RGB(220, 220, 120)));
}

TEST_F(Loquat, TheScreenButtonOpensTheLargeLayout) {
  enlarge_window();
  // Uncovered by the larger window, the buttons draw themselves: their captions are dark on a light face.
  for (int index : {int{kScreen}, int{kPushButton5}, int{kSaveLBtoDisk}, int{kDeleteAll}}) {
    ScreenCapture face(client_rect_on_screen(control(index)));
    EXPECT_GT(face.count(RGB(0, 0, 0), 80), 20) << "control " << index << " is not drawn";
  }
  const RECT fdb1_before = rect_in_parent(control(kFdb1));
  ASSERT_TRUE(click(control(kScreen)));
  // Asked for at (0, 10), the window keeps its frame, caption and menu bar on the screen.
  RECT content = client_rect_on_screen(main_);
  RECT frame;
  GetWindowRect(main_, &frame);
  EXPECT_EQ(frame.left, 0);
  EXPECT_EQ(frame.top, 0);
  EXPECT_EQ(width_of(content), 800);
  EXPECT_EQ(height_of(content), 600);
  RECT canvas = rect_in_parent(control(kBigCanvas));
  EXPECT_EQ(width_of(canvas), 800);
  EXPECT_EQ(height_of(canvas), 400);
  // The editor moved 600 pixels down, out of the way.
  for (int index : {int{kFdb1}, kFdb1 + 7, int{kListBox}, int{kNumbersStrip}, int{kScreen}, int{kDeleteAll}, int{kInsert}}) {
    EXPECT_GE(rect_in_parent(control(index)).top, 600) << index;
  }
  EXPECT_EQ(rect_in_parent(control(kFdb1)).top, fdb1_before.top + 600);
  // Lessons use the whole width: the first box sits at the middle of 800.
  ASSERT_TRUE(choose({"Articles", "6  Practice"}));
  RECT first = rect_in_parent(box(1));
  EXPECT_NEAR((first.left + first.right) / 2, 400, 2);
}

}  // namespace
}  // namespace ql::loquat_tests
