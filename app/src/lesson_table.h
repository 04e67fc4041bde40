// The lessons that the menus open: each selection number's set prefix, title, first box and introduction.
#pragma once

#include "quillet.h"

namespace loquat {

struct Lesson {
  QlString prefix;        // rows whose set code begins with it
  QlString title;         // the title line
  QlString first_box;     // "examples" for a rule with an introduction, else "start"
  QlString introduction;  // shown before the examples; empty for practice sets, which show the logo
};

// False for a number no menu sends.
bool find_lesson(int32_t selection, Lesson& lesson);

}  // namespace loquat
