// Reading the lessons table and the rules its lines keep: a menu number or board once each, a set that
// exists, a prefix whose count is the sum of its sets, a first box that matches the introduction.
#include "lessontable/lesson_plan.h"

#include <set>

#include "lessontable/code_pages.h"
#include "lessontable/engine_text.h"
#include "lessontable/table.h"
#include "lessontable/table_reader.h"

namespace lessontable {
namespace {

enum LessonCell { kMenu, kLessonSet, kRows, kTitle, kFirstBox, kIntroduction, kLessonCells };
const char* const kLessonCellNames[kLessonCells] = {"menu",  "set",       "rows",
                                                    "title", "first box", "introduction"};

// -1 unless the text is a whole number of at most `digits` digits.
int number(std::string_view text, size_t digits) {
  return loquat::rules::whole_number(span_of(text), static_cast<int>(digits));
}

class LineReport {
 public:
  LineReport(int line, int index, Problems& problems) : line_(line), index_(index), problems_(problems) {}
  void error(int cell, std::string message) {
    problems_.push_back({line_, index_, cell, cell < 0 ? "" : kLessonCellNames[cell], std::move(message)});
    ok_ = false;
  }
  bool ok() const { return ok_; }

 private:
  int line_, index_;
  Problems& problems_;
  bool ok_ = true;
};

bool read_menu(const std::string& cell, Lesson& lesson, LineReport& report) {
  std::string_view text = cell;
  if (text.substr(0, 6) == "board ") {
    lesson.board = true;
    text.remove_prefix(6);
  }
  lesson.menu = number(text, 5);
  if (lesson.menu > 0) return true;
  report.error(kMenu,
               "holds '" + cell +
                   "': give the number the menu item sends (as in '12'), or 'board N' for a compare board");
  return false;
}

void read_cells(const std::vector<std::string>& cells, Lesson& out, LineReport& report) {
  read_menu(cells[kMenu], out, report);
  out.set = cells[kLessonSet];
  if (out.set.empty())
    report.error(kLessonSet, "is empty: give the set code (as in 'a01') or a prefix ('a')");
  out.rows = number(cells[kRows], 4);
  if (out.rows <= 0)
    report.error(kRows, "holds '" + cells[kRows] + "': give the number of rows the lesson opens");
  out.title = cells[kTitle];
  if (out.title.empty()) report.error(kTitle, "is empty: give the title line of the lesson");
  out.first_box = cells[kFirstBox];
  out.introduction = cells[kIntroduction];
  for (int cell : {kTitle, kIntroduction}) {
    std::string problem = code_page_problem(cells[cell]);
    if (!problem.empty()) report.error(cell, problem);
  }
  if (out.board) {
    if (kind_of_set(out.set) != RowKind::kCompareBoard)
      report.error(kLessonSet, "a board shows a compare board: give its set code (as in 'LX1')");
    if (!out.first_box.empty() || !out.introduction.empty())
      report.error(kFirstBox, "a board has no first box and no introduction: leave both empty");
    return;
  }
  const std::string wanted = out.introduction.empty() ? "start" : "examples";
  if (out.first_box != wanted) {
    report.error(kFirstBox, "holds '" + out.first_box + "': a lesson " +
                                (out.introduction.empty() ? "without an introduction opens with 'start'"
                                                          : "with an introduction opens with 'examples'"));
  }
}

// Every prefix lesson opens the sets it begins, and counts their rows.
void check_prefixes(const LessonPlan& plan, Problems& problems) {
  for (size_t i = 0; i < plan.lessons.size(); ++i) {
    const Lesson& lesson = plan.lessons[i];
    if (kind_of_set(lesson.set) != RowKind::kUnknown) continue;
    LineReport report(lesson.line, static_cast<int>(i), problems);
    int rows = 0, sets = 0;
    for (const SetEntry& set : plan.sets) {
      if (set.code.compare(0, lesson.set.size(), lesson.set) != 0) continue;
      rows += set.rows;
      ++sets;
    }
    if (sets == 0) {
      report.error(kLessonSet, "'" + lesson.set +
                                   "' is neither a set nor the beginning of one: use one of the sets " +
                                   plan.set_list() + ", or a prefix of some");
    } else if (rows != lesson.rows) {
      report.error(kRows, "the sets beginning '" + lesson.set + "' hold " + std::to_string(rows) +
                              " rows, not " + std::to_string(lesson.rows) + ": write " +
                              std::to_string(rows));
    }
  }
}

}  // namespace

const SetEntry* LessonPlan::find_set(std::string_view code) const {
  for (const SetEntry& set : sets) {
    if (set.code == code) return &set;
  }
  return nullptr;
}

int LessonPlan::total_rows() const { return sets.empty() ? 0 : sets.back().first_row + sets.back().rows; }

std::string LessonPlan::set_list() const {
  std::string list;
  for (size_t i = 0; i < sets.size();) {
    size_t end = i + 1;
    while (end < sets.size() && kind_of_set(sets[end].code) == kind_of_set(sets[i].code)) ++end;
    list += (list.empty() ? "" : ", ") + sets[i].code + (end - i > 1 ? "-" + sets[end - 1].code : "");
    i = end;
  }
  return list;
}

std::optional<LessonPlan> read_lesson_plan(std::string_view text, Problems& problems) {
  LessonPlan plan;
  const size_t before = problems.size();
  std::set<std::pair<bool, int>> menus;
  for (const SourceLine& source : source_lines(text)) {
    LineReport report(source.line, static_cast<int>(plan.lessons.size()), problems);
    std::vector<std::string> cells = split_fields(source.text, "\t");
    if (cells.size() != kLessonCells) {
      report.error(-1, "the line has " + std::to_string(cells.size()) +
                           " cells, but a lesson has 6 (menu, set, rows, title, first box, introduction) "
                           "separated by single TABs");
      continue;
    }
    for (int cell = 0; cell < kLessonCells; ++cell) {
      std::string bytes, problem;
      if (!encode_cell(cells[cell], bytes, problem)) report.error(cell, problem);
      cells[cell] = bytes;
    }
    if (!report.ok()) continue;
    Lesson lesson;
    lesson.line = source.line;
    read_cells(cells, lesson, report);
    if (lesson.menu > 0 && !menus.insert({lesson.board, lesson.menu}).second)
      report.error(kMenu, "another lesson has this menu number: give each its own");
    if (kind_of_set(lesson.set) != RowKind::kUnknown) {
      if (plan.find_set(lesson.set)) {
        report.error(kLessonSet,
                     "another lesson opens set '" + lesson.set + "': a set stands once in the plan");
      } else if (lesson.rows > 0) {
        plan.sets.push_back({lesson.set, lesson.rows, plan.total_rows()});
      }
    }
    plan.lessons.push_back(lesson);
  }
  if (plan.lessons.empty()) problems.push_back({1, -1, -1, "", "the file holds no lessons"});
  check_prefixes(plan, problems);
  if (problems.size() != before) return std::nullopt;
  return plan;
}

}  // namespace lessontable
