// Wrong answers made visible: while File > Mark Wrong Answers is on, or clicks are off, a wrong box is struck
// through until the item's next right answer, so a learner who hears no click still sees the answer was
// wrong.
#include "cloze.h"

using namespace loquat;

namespace loquat {

bool clicking_off() {
  Obj item(RuntimeMenuReference(QL_STR("FileSound")));
  if (!item) return false;
  Str text(menuItemTextGetter(item.get(), 0));
  return same(text.get(), QL_STR("Clicking On"));
}

void mark_wrong_box(QlObject* window, int32_t index) {
  if (!state(window).mark_wrong && !clicking_off()) return;
  Obj b = box(window, index);
  if (!b || box_state(b.get()).marked) return;
  box_state(b.get()).marked = 1;
  RuntimeControlRefresh(b.get());
}

void clear_marks(QlObject* window) {
  for (int32_t i = 0; i < kBoxCount; ++i) {
    Obj b = box(window, i);
    if (!b || !box_state(b.get()).marked) continue;
    box_state(b.get()).marked = 0;
    if (on_show(b.get())) RuntimeControlRefresh(b.get());
  }
}

}  // namespace loquat
