// The Loquat tests' fixture: the real loquat.exe started in a folder of its own and its ending checked, the
// controls of its lesson window by name, what the canvas and the boxes show compared with reference drawings
// of what the test's plan says they should show, and lessons answered by clicking boxes as a learner does.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "driver.h"
#include "lesson_plan.h"
#include "program_runner.h"

namespace ql::loquat_tests {

using namespace ql::driver;

// The lesson window's controls in the order the window makes them, which is the order Windows lists them.
enum ControlIndex : int {
  kBigNoteField = 0,
  kNoteField = 1,
  kBox0 = 2,  // BoxStrip(0) to BoxStrip(30)
  kCreditsCanvas = 33,
  kBigCanvas,
  kPushButton1,
  kPushButton5,
  kScreen,
  kListBox,
  kNumbersStrip,
  kFdb1,  // to Fdb8
  kPopupMenu1 = kFdb1 + 8,
  kGetDBfromDisk,
  kSaveLBtoDisk,
  kMakeChangeListbox,
  kLBtoDB6,
  kDeleteAll,
  kRenumber,
  kDeleteRow,
  kAddRow,
  kInsert,
  kSortCol2,
  kControlCount
};

inline constexpr COLORREF kWhite = RGB(255, 255, 255);

class Loquat : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The program to start, and how its file dialogs are answered; folder_ is made before either is asked.
  virtual std::string program_path() const;
  // What follows the program's name on its command line.
  virtual std::string program_arguments() const { return {}; }
  virtual std::vector<harness::DialogAnswer> dialog_answers() const { return {}; }

  HWND control(int index) const;
  HWND box(int i) const { return control(kBox0 + i); }
  // How many of boxes 1 to last show.
  int shown_boxes(int last) const {
    int shown = 0;
    for (int i = 1; i <= last; ++i) shown += is_visible(box(i)) ? 1 : 0;
    return shown;
  }
  // The editor's field n, which holds a cell of the item on show.
  std::string fdb(int n) const;
  // Whether SetUp makes the editor's platform windows, by enlarging the window and giving it back its size.
  virtual bool makes_editor_at_start() const { return true; }
  void make_editor();
  // The row numbers of the running lesson's items still to be done.
  std::vector<std::string> pool() const;

  bool choose(const MenuPath& path, int timeout_ms = 3000);
  // Clicks the box of every answer the item on show still expects, as its editor fields hold them; with a
  // fault, a wrong box first.
  bool answer_item(bool with_fault = false);
  // Clicks the boxes of the row's answers in turn; with a fault, a wrong box first.
  bool answer_row(const PlannedRow& row, bool with_fault = false);
  // Takes the lesson just chosen from the rows it was planned with: "start" or "examples", then every item
  // shown answered from its row, the first `faults` items faulted once, and after each the title line checked
  // against the score the plan gives. Returns the number of items shown, or -1 when something went wrong.
  int take_lesson(const std::string& title, const std::vector<PlannedRow>& rows, int faults = 0);
  // Clicks box 1, which carries "start", "examples", "next" and "end".
  bool click_first_box() {
    ++clicks_;
    return click(box(1));
  }

  // What the canvas shows, against reference drawings: the title line in "Times" 18, centred on the layout's
  // width at baseline 30; the item's sentence in the boxes' font, its lines centred at their baselines, gaps
  // in red; a box's caption; the whole canvas with an image picture at (x, y) (none when empty) under the
  // title line (none when empty), but where controls cover it.
  void expect_title(const std::string& text, Where where = Where::current());
  void expect_canvas(const std::string& picture, int x, int y, const std::string& title,
                     Where where = Where::current());
  bool sentence_drawn(const PlannedRow& row, const ScreenCapture& screen);
  bool box_shows(int i, const std::string& caption, const ScreenCapture& screen) const;
  void expect_captions(const std::vector<std::string>& captions, Where where = Where::current());
  std::vector<RECT> covering() const;  // the controls over the canvas that show
  // The row among these whose sentence and choice boxes show, failing the test (and answering null) when none
  // does.
  const PlannedRow* item_on_show(const std::vector<PlannedRow>& rows, Where where = Where::current());
  // A message box the program may show during the test; the ending fails on any other.
  void expect_message_box(const std::string& text_contains) { expected_boxes_.push_back(text_contains); }

  // Whether File > Font is enabled as a learner finds it: the program enables its items as the menu opens.
  bool font_menu_enabled();
  // Enlarges the window as a person dragging its corner would, so that what lies beyond 480 x 360 shows.
  void enlarge_window();

  std::string folder_;
  std::unique_ptr<Program> program_;
  HWND main_ = nullptr;
  long clicks_ = 0;  // on boxes, since the start
  int layout_width_ = 480;
  std::vector<std::string> expected_boxes_;
};

// The file of a picture of the image, in app/pictures.
std::string picture_file(const std::string& name);

}  // namespace ql::loquat_tests
