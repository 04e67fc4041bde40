// The Loquat tests' fixture: starting the program, reading its fields, answering its items.
#include "loquat_fixture.h"

#include <strings.h>

#include <algorithm>

namespace ql::loquat_tests {

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
    parts.push_back(text.substr(start, at - start));
  parts.push_back(text.substr(start));
  return parts;
}

std::string trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(" \r\n\t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \r\n\t") - first + 1);
}

void Loquat::SetUp() {
  folder_ = harness::make_temp_folder("loquat");
  const std::string arguments = program_arguments();
  program_ = std::make_unique<Program>(
      "\"" + program_path() + "\"" + (arguments.empty() ? "" : " " + arguments), folder_, dialog_answers());
  ASSERT_TRUE(program_->started());
  main_ = wait_for_window(*program_, {.text = "Loquat"}, 15000);
  ASSERT_TRUE(main_);
  ASSERT_TRUE(settle(main_));
  ASSERT_EQ(child_windows(main_, true).size(), static_cast<size_t>(kControlCount));
}

std::string Loquat::program_path() const { return harness::program_folder() + "loquat.exe"; }

void Loquat::TearDown() {
  if (program_) program_->end();
}

HWND Loquat::control(int index) const {
  std::vector<HWND> all = child_windows(main_, true);
  return index < static_cast<int>(all.size()) ? all[index] : nullptr;
}

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

int Loquat::take_lesson(int faults) {
  if (!click_first_box()) return -1;  // "start" or "examples"
  int shown = 1;
  for (; shown <= 2000; ++shown) {
    if (!answer_item(shown <= faults)) return -1;
    if (pool().empty()) return shown;  // box 1 now reads "end"
    if (!click_first_box()) return -1;  // "next"
  }
  ADD_FAILURE() << "the lesson did not end";
  return -1;
}

namespace {

int text_width(const std::string& text, const char* face, int size) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontA(-size, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, face);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE extent = {};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, old);
  DeleteObject(font);
  DeleteDC(dc);
  return extent.cx;
}

}  // namespace

void Loquat::expect_title(const std::string& text, Where where) {
  RECT canvas = client_rect_on_screen(control(kBigCanvas));
  // The title's band: baseline 30 in "Times" 18, cleared from y 5 to 35 before it is drawn.
  RECT band = {canvas.left, canvas.top + 8, canvas.left + 480, canvas.top + 36};
  ScreenCapture capture(band);
  int first = capture.width(), last = -1;
  for (int y = 0; y < capture.height(); ++y) {
    for (int x = 0; x < capture.width(); ++x) {
      if (colors_close(capture.at({band.left + x, band.top + y}), kWhite, 60)) continue;
      first = std::min(first, x);
      last = std::max(last, x);
    }
  }
  const int width = text_width(text, "Times New Roman", 18);
  const int left = (480 - width) / 2;
  bool ok = last >= 0 && std::abs(first - left) <= 3 && std::abs((last - first + 1) - width) <= 4;
  if (!ok) {
    fail("the title line's ink lies at x " + std::to_string(first) + " to " +
                              std::to_string(last) + "; \"" + text + "\" would lie at " + std::to_string(left) +
                              " to " + std::to_string(left + width - 1),
         where);
  }
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
