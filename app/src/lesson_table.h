// The lessons that the menus open, as app/content/lessons.tsv gives them: each menu number's set prefix,
// title, first box and introduction. lessontable writes the table (lesson_data.cpp in the build tree).
#pragma once

#include "quillet.h"

namespace loquat {

struct Lesson {
  int32_t menu;           // the number the menu item sends
  bool board;             // a compare board, shown by MenusSelectSpecials; else opened by MenusSelectMain
  QlString prefix;        // rows whose set code begins with it
  QlString title;         // the title line
  QlString first_box;     // "examples" for a rule with an introduction, else "start"; nil for a board
  QlString introduction;  // shown before the examples; nil for the rest, which show the logo
};

extern const Lesson kLessons[];
extern const int32_t kLessonCount;

// Nil for a number no menu sends.
const Lesson* find_lesson(int32_t menu, bool board);

}  // namespace loquat
