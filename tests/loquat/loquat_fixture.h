// The Loquat tests' fixture: the real loquat.exe started in a folder of its own, the controls of its lesson
// window by name, the item on show read from the editor fields that hold it, and lessons answered by
// clicking boxes as a learner does.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "driver.h"
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
  std::string fdb(int n) const { return window_text(control(kFdb1 + n - 1)); }
  // The row numbers of the running lesson's items still to be done.
  std::vector<std::string> pool() const;

  bool choose(const MenuPath& path, int timeout_ms = 3000);
  // Clicks the box of every answer the item on show still expects; with a fault, a wrong box first.
  bool answer_item(bool with_fault = false);
  // Answers items and clicks "next" until the pool is empty; faulting the first `faults` items shown.
  // Returns the number of items shown, or -1 when something went wrong.
  int take_lesson(int faults = 0);
  // Clicks box 1, which carries "start", "examples", "next" and "end".
  bool click_first_box() {
    ++clicks_;
    return click(box(1));
  }

  // The title line as drawn: its ink must lie where the text centred on the canvas would, and be as wide.
  void expect_title(const std::string& text, Where where = Where::current());
  // Whether File > Font is enabled as a learner finds it: the program enables its items as the menu opens.
  bool font_menu_enabled();
  // Enlarges the window as a person dragging its corner would, so that what lies beyond 480 x 360 shows.
  void enlarge_window();

  std::string folder_;
  std::unique_ptr<Program> program_;
  HWND main_ = nullptr;
  long clicks_ = 0;  // on boxes, since the start
};

std::vector<std::string> split(const std::string& text, char separator);
std::string trimmed(const std::string& text);

}  // namespace ql::loquat_tests
