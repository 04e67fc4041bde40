// The lessons the menus open, from the content table beside the exercises (app/content/lessons.tsv): for
// each menu number its set (a code, or a prefix that opens several sets), its row count, title, first box
// and introduction. The sets it names, in its order, are the plan the exercise table follows.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lessontable/problems.h"

namespace lessontable {

struct Lesson {
  int line = 0;
  bool board = false;  // a compare board, shown by MenusSelectSpecials; otherwise MenusSelectMain's
  int menu = 0;        // the number the menu item sends
  std::string set;     // a set code or a prefix
  int rows = 0;
  std::string title, first_box, introduction;  // Windows-1252
};

struct SetEntry {
  std::string code;
  int rows;
  int first_row;  // its first row in the whole table
};

struct LessonPlan {
  std::vector<Lesson> lessons;
  std::vector<SetEntry> sets;  // the lessons' own set codes, in order

  const SetEntry* find_set(std::string_view code) const;
  int total_rows() const;
  // "a01-a15, L01-L03, LX1-LX3, p01-p13": the sets, runs of one letter and digits shortened.
  std::string set_list() const;
};

// The plan, or nullopt with the problems of the file.
std::optional<LessonPlan> read_lesson_plan(std::string_view text, Problems& problems);

}  // namespace lessontable
