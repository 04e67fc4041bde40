// Reading and writing the lesson window's arrays: segments, line information, baselines and the top line.
#include "cloze.h"

namespace loquat {

namespace {

Str read_string(QlArray* array, int32_t row, int32_t column) {
  RuntimeArrayStartReadAccess(array, row);
  return Str(RuntimeReadStringArray(array, column));
}

void write_string(QlArray* array, int32_t row, int32_t column, QlString text) {
  RuntimeArrayStartWriteAccess(array, row);
  RuntimeWriteStringArray(array, column, text);
}

}  // namespace

Str segment_text(QlObject* window, int32_t k) { return read_string(state(window).segments, k, 0); }
Str segment_colour(QlObject* window, int32_t k) { return read_string(state(window).segments, k, 1); }

void set_segment_text(QlObject* window, int32_t k, QlString text) {
  write_string(state(window).segments, k, 0, text);
}
void set_segment_colour(QlObject* window, int32_t k, QlString colour) {
  write_string(state(window).segments, k, 1, colour);
}
void set_segment(QlObject* window, int32_t k, QlString text, QlString colour) {
  set_segment_text(window, k, text);
  set_segment_colour(window, k, colour);
}

int32_t line_info(QlObject* window, int32_t line, int32_t part) {
  QlArray* array = state(window).line_info;
  RuntimeArrayStartReadAccess(array, line);
  return RuntimeReadIntArray(array, part);
}

void set_line_info(QlObject* window, int32_t line, int32_t part, int32_t value) {
  QlArray* array = state(window).line_info;
  RuntimeArrayStartWriteAccess(array, line);
  RuntimeWriteIntArray(array, part, value);
}

int32_t line_y(QlObject* window, int32_t line) {
  return RuntimeDirectReadIntArray(state(window).line_y, line);
}
void set_line_y(QlObject* window, int32_t line, int32_t y) {
  RuntimeDirectWriteIntArray(state(window).line_y, line, y);
}

Str top_line(QlObject* window, int32_t i) {
  return Str(RuntimeDirectReadStringArray(state(window).top_line, i));
}
void set_top_line(QlObject* window, int32_t i, QlString text) {
  RuntimeDirectWriteStringArray(state(window).top_line, i, text);
}

}  // namespace loquat
