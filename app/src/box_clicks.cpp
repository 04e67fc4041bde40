// A click on a box: commands ("start", "examples", "next", "end", "?"), listening boxes and answers.
#include "cloze.h"

using namespace loquat;

namespace {

int32_t index_of_box(QlObject* window, QlObject* b) {
  for (int32_t i = 0; i < kBoxCount; ++i) {
    Obj member = box(window, i);
    if (member.get() == b) return i;
  }
  return -1;
}

void next_item(QlObject* window) {
  cloze_go_to_the_next(window);
  state(window).shown_count += 1;
}

// The rules every set shares; false when the caption is no command, so it is an answer.
bool run_command(QlObject* window, QlString caption) {
  Str code = cell_text(window, kSet);
  if (same(caption, QL_STR("start")) || same(caption, QL_STR("examples"))) {
    cloze_click_start(window);
  } else if (same(caption, QL_STR("next"))) {
    next_item(window);
  } else if (same(caption, QL_STR("end"))) {
    cloze_click_end(window);
  } else if (same(caption, QL_STR("?"))) {
    if (starts_with(code.get(), QL_STR("L"))) {
      Cloze& cloze = state(window);
      // The last recording heard, by the same speaker.
      Str word = Str::borrow(cloze.replay_word);
      Str speaker = Str::borrow(cloze.replay_speaker);
      play_recording(window, word.get(), speaker.get());
    } else {
      QlObject* note = control(window, QL_STR("NoteField"));
      Str explanation = cell_text(window, kExplanation);
      Str lines = with_line_breaks(explanation.get());
      set_text(note, lines.get());
      show(note, true);
    }
  } else {
    return false;
  }
  return true;
}

}  // namespace

extern "C" {

void cloze_click_strip(QlObject* self, QlString caption, int32_t) {
  show(control(self, QL_STR("NoteField")), false);
  Str code = cell_text(self, kSet);
  if (contains(code.get(), QL_STR("LX"))) {
    cloze_play_sound(self, caption);
    return;
  }
  if (starts_with(code.get(), QL_STR("L"))) {
    Str choices = cell_text(self, kChoices);
    if (count_fields(choices.get(), QL_STR(",")) == 3) {
      // Waiting for "play": only "play" counts; any other box only clicks.
      if (same(caption, QL_STR("play"))) {
        play_test_word(self);
      } else {
        play_resource(2);
      }
      return;
    }
    if (same(caption, QL_STR("start"))) {
      cloze_click_start(self);
      return;
    }
    if (is_empty(caption)) return;
    if (same(caption, QL_STR("next"))) {
      next_item(self);
      return;
    }
  }
  if (run_command(self, caption)) return;
  Str expected = cell_text(self, kAnswers);
  Str answer = nth_field(expected.get(), QL_STR(","), 1);
  if (same(caption, answer.get())) {
    cloze_click_good(self, caption);
  } else {
    cloze_click_bad(self);
  }
}

// Every box of BoxStrip: its caption goes to the window's click dispatch.
bool super_can_mouse_down(QlObject* self, int32_t, int32_t) {
  Obj window(open_cloze());
  if (!window) return false;
  Str caption = Str::borrow(box_state(self).caption);
  cloze_click_strip(window.get(), caption.get(), index_of_box(window.get(), self));
  return false;
}

}  // extern "C"
