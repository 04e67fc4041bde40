// The Loquat tests' fixture: starting and ending the program, reading its fields, answering its items.
#include "loquat_fixture.h"

#include <strings.h>

#include <algorithm>

namespace ql::loquat_tests {

void Loquat::SetUp() {
  folder_ = harness::make_temp_folder("loquat");
  // The program keeps its progress and settings in %APPDATA%\Loquat: each test's in its own folder.
  SetEnvironmentVariableA("APPDATA", folder_.substr(0, folder_.find_last_not_of('\\') + 1).c_str());
  const std::string arguments = program_arguments();
  program_ = std::make_unique<Program>(
      "\"" + program_path() + "\"" + (arguments.empty() ? "" : " " + arguments), folder_, dialog_answers());
  ASSERT_TRUE(program_->started());
  main_ = wait_for_window(*program_, {.text = "Loquat"}, 15000);
  ASSERT_TRUE(main_);
  ASSERT_TRUE(settle(main_));
  // The learner's canvas is made at start; controls beyond the 480 x 360 area a learner sees get their
  // platform windows once they are uncovered.
  ASSERT_TRUE(control(kBigCanvas));
  if (makes_editor_at_start()) make_editor();
}

// Enlarged and back, before any lesson: the editor's fields, which the tests read as the program's
// registers, then have platform windows, and no lesson screen is redrawn from under a test.
void Loquat::make_editor() {
  RECT frame;
  GetWindowRect(main_, &frame);
  enlarge_window();
  SetWindowPos(main_, nullptr, 0, 0, width_of(frame), height_of(frame), SWP_NOMOVE | SWP_NOZORDER);
  ASSERT_TRUE(settle(main_));
  ASSERT_TRUE(control(kFdb1)) << "the editor's fields were not made when they were uncovered";
}

std::string Loquat::program_path() const { return harness::program_folder() + "loquat.exe"; }

void Loquat::TearDown() {
  if (!program_ || !program_->started()) return;
  ProgramEnd end = program_->end();
  // Closed with its window, or ended by itself after Quit: never terminated, never with a fault's exit code.
  EXPECT_TRUE(end.how == ProgramEnd::How::closed || end.how == ProgramEnd::How::exited)
      << "loquat.exe " << to_string(end.how);
  EXPECT_EQ(end.exit_code, 0u) << "loquat.exe's exit code";
  bool unexpected = false;
  for (const harness::MessageBox& shown : end.boxes) {
    bool expected = false;
    for (const std::string& text : expected_boxes_) expected |= shown.text.find(text) != std::string::npos;
    unexpected |= !expected;
  }
  if (unexpected) {
    std::string all;
    for (const harness::MessageBox& shown : end.boxes) all += "\n  \"" + shown.caption + "\": " + shown.text;
    ADD_FAILURE() << "loquat.exe showed a message box the test did not expect; the boxes answered:" << all;
  }
}

// A control's platform window carries its place in the window's creation order, from 1, as its ID. One
// that lies beyond the area a learner sees is made once the window is enlarged as an author does; one that
// is hidden has none until it first shows.
HWND Loquat::control(int index) const {
  return find_child(main_, {.control_id = index + 1, .include_hidden = true});
}

std::string Loquat::fdb(int n) const { return window_text(control(kFdb1 + n - 1)); }

std::vector<std::string> Loquat::pool() const {
  std::vector<std::string> rows;
  for (const std::string& field : split(trimmed(window_text(control(kNumbersStrip))), ' '))
    if (!field.empty()) rows.push_back(field);
  return rows;
}

bool Loquat::choose(const MenuPath& path, int timeout_ms) {
  return choose_menu_item(main_, path, timeout_ms) && settle(main_, timeout_ms);
}

bool Loquat::answer_item(bool with_fault) {
  // Every right click takes one answer from Fdb4; an item has fewer than 40 gaps, so more clicks than that
  // mean the engine went wrong.
  for (int clicks = 0; clicks < 40; ++clicks) {
    std::string expected = trimmed(fdb(4));
    if (expected.empty()) return true;
    std::string wanted = trimmed(split(expected, ',')[0]);
    std::vector<std::string> choices = split(fdb(5), ',');
    int right = -1, wrong = -1;
    for (int i = 0; i < static_cast<int>(choices.size()); ++i) {
      bool same = strcasecmp(trimmed(choices[i]).c_str(), wanted.c_str()) == 0;
      if (same && right < 0) right = i + 1;
      if (!same && wrong < 0) wrong = i + 1;
    }
    if (right < 0) {
      ADD_FAILURE() << "no box carries the answer \"" << wanted << "\" among \"" << fdb(5) << "\"";
      return false;
    }
    if (with_fault && wrong > 0) {
      ++clicks_;
      if (!click(box(wrong))) return false;
      EXPECT_EQ(trimmed(fdb(4)), expected) << "a wrong box changed the item";
      with_fault = false;
    }
    ++clicks_;
    if (!click(box(right))) return false;
  }
  ADD_FAILURE() << "the item still expects \"" << fdb(4) << "\"";
  return false;
}

bool Loquat::answer_row(const PlannedRow& row, bool with_fault) {
  const std::vector<std::string> choices = split(row.choices, ',');
  for (const std::string& answer :
       row.answers.empty() ? std::vector<std::string>{} : split(row.answers, ',')) {
    int right = -1, wrong = -1;
    for (int i = 0; i < static_cast<int>(choices.size()); ++i) {
      bool same = strcasecmp(trimmed(choices[i]).c_str(), trimmed(answer).c_str()) == 0;
      if (same && right < 0) right = i + 1;
      if (!same && wrong < 0) wrong = i + 1;
    }
    if (right < 0) {
      ADD_FAILURE() << "row " << row.number << " offers no box for its answer \"" << answer << "\"";
      return false;
    }
    if (with_fault && wrong > 0) {
      ++clicks_;
      if (!click(box(wrong))) return false;
      with_fault = false;
    }
    ++clicks_;
    if (!click(box(right))) return false;
  }
  return true;
}

int Loquat::take_lesson(const std::string& title, const std::vector<PlannedRow>& rows, int faults) {
  const int items = static_cast<int>(rows.size());
  if (!click_first_box()) return -1;  // "start" or "examples"
  std::vector<int> faulted;
  int done = 0, shown = 0;
  while (done < items) {
    if (++shown > items + faults) {
      ADD_FAILURE() << "more items were shown than the lesson holds";
      return -1;
    }
    const PlannedRow* row = item_on_show(rows);
    if (!row) return -1;
    // A faulted item stays in the pool and comes again; only new items are faulted.
    const bool fault = static_cast<int>(faulted.size()) < faults &&
                       std::find(faulted.begin(), faulted.end(), row->number) == faulted.end();
    if (fault) faulted.push_back(row->number);
    if (!answer_row(*row, fault)) return -1;
    done += fault ? 0 : 1;
    const int left = items - done;
    expect_title(title + " " +
                 (left == 1        ? "The last one"
                  : left > 1       ? std::to_string(left) + " items left"
                  : shown == items ? "Perfect Score"
                                   : std::to_string(items) + " items, " + std::to_string(2 * items - shown) +
                                         " correct."));
    expect_captions({left > 0 ? "next" : "end"});
    if (left > 0 && !click_first_box()) return -1;
  }
  return shown;
}

bool Loquat::font_menu_enabled() {
  if (!look_into_menu(main_, "File")) return false;
  std::optional<MenuItem> font = find_menu_item(main_, {"File", "Font"});
  return font && font->enabled;
}

void Loquat::enlarge_window() {
  SetWindowPos(main_, nullptr, 0, 0, 840, 680, SWP_NOMOVE | SWP_NOZORDER);
  settle(main_);
}

}  // namespace ql::loquat_tests
