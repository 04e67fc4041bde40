// Answering by keyboard, as the window's KeyDown: 1 to 9 choose the choice boxes on show in reading order,
// and, as the keys go on along the top row, 0, "-" and "=" the tenth to twelfth (a proverb has up to 12
// words); Enter or Space the command box, "?" the question mark, R the word of a listening item again. While
// the editor is out of sight every key stops here, so none reaches its controls (Tab would move the focus
// there, and the arrows change its popup).
#include "cloze.h"

using namespace loquat;

namespace {

// The place in reading order a key chooses (from 1), or 0.
int32_t choice_of_key(int32_t code) {
  if (code >= '1' && code <= '9') return code - '0';
  if (code == '0') return 10;
  if (code == '-') return 11;
  if (code == '=') return 12;
  return 0;
}

bool is_command(QlString caption) {
  return same(caption, QL_STR("start")) || same(caption, QL_STR("examples")) ||
         same(caption, QL_STR("next")) || same(caption, QL_STR("end")) || same(caption, QL_STR("play"));
}

bool is_choice(QlString caption) {
  return !is_empty(caption) && !is_command(caption) && !same(caption, QL_STR("?"));
}

// Box a comes before box b in reading order: rows from the top, and left to right within a row.
bool reads_before(QlObject* a, QlObject* b) {
  int32_t top_a = bound(a, kQlTop), top_b = bound(b, kQlTop);
  return top_a != top_b ? top_a < top_b : bound(a, kQlLeft) < bound(b, kQlLeft);
}

// The index of the n-th choice box on show in reading order (from 1), or 0.
int32_t nth_choice(QlObject* window, int32_t n) {
  int32_t order[kBoxCount];
  int32_t count = 0;
  for (int32_t i = 1; i < kBoxCount; ++i) {
    Obj b = box(window, i);
    if (!b || !on_show(b.get()) || !is_choice(box_state(b.get()).caption)) continue;
    int32_t at = count++;
    // Kept sorted as they come: a row has at most a few boxes.
    while (at > 0) {
      Obj before = box(window, order[at - 1]);
      if (!reads_before(b.get(), before.get())) break;
      order[at] = order[at - 1];
      --at;
    }
    order[at] = i;
  }
  return n >= 1 && n <= count ? order[n - 1] : 0;
}

// The first box on show whose caption passes the test, or 0.
int32_t box_where(QlObject* window, bool (*wanted)(QlString)) {
  for (int32_t i = 1; i < kBoxCount; ++i) {
    Obj b = box(window, i);
    if (b && on_show(b.get()) && wanted(box_state(b.get()).caption)) return i;
  }
  return 0;
}

bool is_question_mark(QlString caption) { return same(caption, QL_STR("?")); }

// The same as a click on the box.
void press_box(QlObject* window, int32_t index) {
  Obj b = box(window, index);
  if (!b) return;
  Str caption = Str::borrow(box_state(b.get()).caption);
  cloze_click_strip(window, caption.get(), index);
}

// The word of a listening item, once "play" has sounded it, by the speaker heard; no score changes.
void replay(QlObject* window) {
  // Only an item has a word: the opening of a lesson would play the last word of another.
  int32_t screen = state(window).screen;
  if (screen != kScreenItem && screen != kScreenItemDone) return;
  Str code = cell_text(window, kSet);
  if (!starts_with(code.get(), QL_STR("L")) || contains(code.get(), QL_STR("LX"))) return;
  Str choices = cell_text(window, kChoices);
  if (count_fields(choices.get(), QL_STR(",")) == 3) return;  // still waiting for "play"
  Cloze& cloze = state(window);
  Str word = Str::borrow(cloze.replay_word);
  Str speaker = Str::borrow(cloze.replay_speaker);
  play_recording(window, word.get(), speaker.get());
}

// The editor shows once the window is larger than the lesson area, unless the large layout moved it away.
bool editor_in_sight(QlObject* window) {
  if (state(window).large_layout) return false;
  return windowPosGetter(window, kQlWidth) > rules::kCanvasWidth ||
         windowPosGetter(window, kQlHeight) > rules::kCanvasHeight;
}

}  // namespace

extern "C" bool cloze_key_down(QlObject* self, QlString key) {
  int32_t code = StringAsc(key);
  int32_t index = 0;
  if (choice_of_key(code)) {
    index = nth_choice(self, choice_of_key(code));
  } else if (code == 13 || code == ' ') {
    index = box_where(self, is_command);
  } else if (code == '?') {
    index = box_where(self, is_question_mark);
  } else if (code == 'r' || code == 'R') {
    replay(self);
    return true;
  } else {
    return !editor_in_sight(self);
  }
  if (index) press_box(self, index);
  return true;
}
