// What the exercise editor's commands share: the row being previewed and the line form of a table row.
#pragma once

#include "cloze.h"

namespace loquat {

// The row shown as a student would see it; the note fields are hidden unless keep_notes.
void preview_row(QlObject* window, int32_t row, bool keep_notes);

// A cell's text with TAB, CR and LF made spaces: inside a cell they would split the row when read back.
Str single_line(QlString text);

// Cells 0 to 7 of a row, each followed by a TAB, then a CR: one line of an exercise file.
Str table_line(QlObject* list, int32_t row, bool single_line_cells);

}  // namespace loquat
