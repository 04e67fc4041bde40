// Preparing the item on show: the pattern in Fdb3 becomes display lines of segments, with one alternative
// drawn for each group and a red "_" for each gap, and the lines get their baselines.
#include "cloze.h"

using namespace loquat;

namespace {

void clear_arrays(QlObject* window) {
  for (int32_t k = 0; k <= kSegmentLimit; ++k) set_segment(window, k, nullptr, nullptr);
  for (int32_t line = 0; line <= kLineLimit; ++line) {
    set_line_info(window, line, 0, 0);
    set_line_info(window, line, 1, 0);
  }
}

// Puts one alternative of each group "(a,b,...)", drawn with equal chance, in place of the group.
Str choose_alternatives(QlString pattern) {
  Str text = Str::borrow(pattern);
  while (contains(text.get(), QL_STR("("))) {
    RuntimeBackgroundTask();
    int32_t p = StringInStr(1, text.get(), QL_STR("("));
    // A "(" without a later ")" opens no group: the text stays as it is instead of looping for ever.
    int32_t q = StringInStr(p, text.get(), QL_STR(")"));
    if (q == 0) break;
    Str group(StringDBCSMid3(text.get(), p, q - p + 1));
    Str opened = replace_first(group.get(), QL_STR("("), nullptr);
    Str list = replace_first(opened.get(), QL_STR(")"), nullptr);
    int32_t k = int_of(1 + rnd() * count_fields(list.get(), QL_STR(",")));
    Str choice = nth_field(list.get(), QL_STR(","), k);
    Str trimmed = trim(list.get());
    Str whole = cat(QL_STR("("), trimmed.get(), QL_STR(")"));
    Str chosen = replace_first(text.get(), whole.get(), choice.get());
    // Blanks just inside the parentheses keep the trimmed group from matching; stop rather than repeat.
    if (StringStrCompare(chosen.get(), text.get(), 0) == 0) break;
    text = Str(chosen.release());
  }
  return text;
}

// "$" cuts a line into segments; each gap becomes a segment of its own.
Str mark_gaps(QlString pattern) {
  Str text = replace_all(pattern, QL_STR("_"), QL_STR("$_$"));
  text = replace_all(text.get(), QL_STR(" $$"), QL_STR("$"));
  text = replace_all(text.get(), QL_STR("/$"), QL_STR("/"));
  text = replace_all(text.get(), QL_STR("$/"), QL_STR("/"));
  Str first(StringDBCSLeft(text.get(), 1));
  if (same(first.get(), QL_STR("$"))) text = replace_first(text.get(), QL_STR("$"), nullptr);
  return text;
}

// The arrays hold 10 lines and 39 segments: a longer pattern is cut there, and the counts written are
// what was stored, so drawing never reads beyond them.
void store_segments(QlObject* window, QlString text) {
  int32_t lines = count_fields(text, QL_STR("/"));
  if (lines > kLineLimit) lines = kLineLimit;
  set_line_info(window, 0, 0, lines);
  int32_t k = 1;
  for (int32_t line = 1; line <= lines; ++line) {
    RuntimeBackgroundTask();
    Str line_text = nth_field(text, QL_STR("/"), line);
    int32_t fields = count_fields(line_text.get(), QL_STR("$"));
    int32_t stored = 0;
    for (int32_t field = 1; field <= fields && k <= kSegmentLimit; ++field, ++k, ++stored) {
      Str segment = nth_field(line_text.get(), QL_STR("$"), field);
      Str first(StringDBCSLeft(segment.get(), 1));
      set_segment(window, k, segment.get(), same(first.get(), QL_STR("_")) ? QL_STR("red") : QL_STR("ink"));
    }
    set_line_info(window, line, 0, stored);
  }
}

// Lines of a count without baselines (7, 11 and more) are not drawn after the message: baselines left from
// earlier items would put them over each other and over the title line.
void set_baselines(QlObject* window, int32_t lines) {
  if (lines == 7) {
    RuntimeMsgBox(QL_STR("You have set 7 lines.  Please set more or less."));
  } else if (lines == 11) {
    RuntimeMsgBox(QL_STR("That:s 11 lines"));
  }
  if (lines > 0 && rules::baseline(lines, 1) == 0) {
    set_line_info(window, 0, 0, 0);
    return;
  }
  for (int32_t line = 1; line <= lines; ++line) set_line_y(window, line, rules::baseline(lines, line));
}

}  // namespace

// Works on a copy of the pattern, so Fdb3 keeps its "@" and its groups and the next showing draws anew.
extern "C" void cloze_set_up_arrays(QlObject* self) {
  clear_arrays(self);
  Str pattern = cell_text(self, kPattern);
  Str text = Str::borrow(pattern.get());
  Str first(StringDBCSLeft(text.get(), 1));
  if (same(first.get(), QL_STR("@"))) text = replace_first(text.get(), QL_STR("@"), nullptr);
  text = choose_alternatives(text.get());
  text = mark_gaps(text.get());
  store_segments(self, text.get());
  set_baselines(self, count_fields(pattern.get(), QL_STR("/")));
}
