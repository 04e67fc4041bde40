// Drawing the screen on show again as it is, after a font choice changed the sentence's face and size: the
// opening of a lesson, an item (keeping its fault), a finished item (keeping "next" or "end" and "?"), a
// compare board, the end, and what an About or Progress command drew over them.
#include "cloze.h"

using namespace loquat;

namespace {

void redraw_opening(QlObject* window) {
  Cloze& cloze = state(window);
  Obj g = canvas_graphics(window);
  fill_canvas(window, g.get(), cloze.back_colour);
  if (!is_shown(control(window, QL_STR("bigNoteField")))) cloze_show_logo(window);
  Obj first = box(window, 1);
  if (first) {
    Str caption = Str::borrow(box_state(first.get()).caption);
    place_first_box(window, first.get(), caption.get());
  }
  cloze_display_top_line(window);
}

// Laying the choices out again would clear the item's fault; it is kept.
void redraw_item(QlObject* window) {
  Cloze& cloze = state(window);
  Str fault = Str::borrow(cloze.fault_flag);
  cloze_dis_gap_lines(window);
  cloze_display_strips(window);
  store(cloze.fault_flag, fault.get());
}

void redraw_item_done(QlObject* window) {
  Obj question = box(window, 2);
  bool with_question =
      question && on_show(question.get()) && same(box_state(question.get()).caption, QL_STR("?"));
  cloze_dis_gap_lines(window);
  Obj first = box(window, 1);
  if (first) place_first_box(window, first.get(), QL_STR("end"));
  if (with_question) cloze_make_question_mark(window);
}

void redraw_board(QlObject* window) {
  cloze_display_strips(window);
  formRefresh(window);
  cloze_display_top_line(window);
}

void redraw_blank(QlObject* window) {
  if (is_shown(control(window, QL_STR("CreditsCanvas")))) return;
  Obj g = canvas_graphics(window);
  fill_canvas(window, g.get(), state(window).back_colour);
}

}  // namespace

namespace loquat {

void redraw_screen(QlObject* window) {
  Cloze& cloze = state(window);
  int32_t overlay = cloze.overlay;
  switch (cloze.screen) {
    case kScreenOpening:
      redraw_opening(window);
      break;
    case kScreenItem:
      redraw_item(window);
      break;
    case kScreenItemDone:
      redraw_item_done(window);
      break;
    case kScreenEnd:
      draw_end_screen(window);
      break;
    case kScreenBoard:
      redraw_board(window);
      break;
    case kScreenNoMistakes:
      draw_no_mistakes(window);
      break;
    default:
      redraw_blank(window);
      break;
  }
  if (overlay) draw_overlay(window, overlay);
}

}  // namespace loquat
