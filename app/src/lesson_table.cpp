// Looking a lesson up by its menu number.
#include "lesson_table.h"

namespace loquat {

const Lesson* find_lesson(int32_t menu, bool board) {
  for (int32_t i = 0; i < kLessonCount; ++i) {
    if (kLessons[i].menu == menu && kLessons[i].board == board) return &kLessons[i];
  }
  return nullptr;
}

}  // namespace loquat
