// The rules an exercise row must keep that need no other row: choices the boxes can carry, answers among
// them, a pattern the engine can cut into lines and gaps, one answer per gap, a layout that places every
// box inside the canvas, and a proverb's word count. lessontable runs them over the whole table; the
// editor runs them when the author stores a row. Each problem names its cell and says what to change.
#pragma once

#include "canvas.h"
#include "cells.h"
#include "message.h"

namespace loquat::rules {

struct Row {
  Span cells[kCellCount];
};

// Where the problems go: a function that receives each cell and message in turn.
class Report {
 public:
  using Sink = void (*)(void* context, int cell, Span message);
  Report(Sink sink, void* context, RowKind kind) : sink_(sink), context_(context), kind_(kind) {}

  void error(int cell, const Message& message) {
    sink_(context_, cell, message.text());
    ++count_;
  }
  RowKind kind() const { return kind_; }
  int errors() const { return count_; }

 private:
  Sink sink_;
  void* context_;
  RowKind kind_;
  int count_ = 0;
};

// Choices use boxes 1 to 30, and boxes after the 15th are not hidden between items.
constexpr int kMaxChoices = kClearedBoxes;
constexpr int kChoiceBoxes = kBoxCount - 1;

// What the pattern check learnt, for the checks that follow it.
struct PatternFacts {
  bool parsed = false;     // the syntax is sound; the counts below are known
  int line_count = 0;      // "/"-separated lines
  int gaps = 0;            // "_" marks
  int last_text_line = 0;  // 1-based; 0 when no line shows text
};

// False when the choices cannot be laid out at all.
bool check_choices(const Row& row, Report& report);
void check_answers(const Row& row, Report& report);
PatternFacts check_pattern(const Row& row, Report& report);
void check_gaps(const Row& row, const PatternFacts& pattern, Report& report);
void check_layout(const Row& row, const PatternFacts& pattern, Report& report);
// Proverb rows: the explanation cell holds the number of words.
void check_word_count(const Row& row, Report& report);

// All of the above, in the order an author would fix them.
void check_row_alone(const Row& row, Report& report);

// The width that `count` boxes from choice `first` (0-based) need side by side in a row of boxes.
int boxes_width(Span choices, int first, int count);

}  // namespace loquat::rules
