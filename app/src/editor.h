// What the exercise editor's commands share: the row being previewed, the line form of a table row, the
// check of a stored row, and whether the table has changes no file holds.
#pragma once

#include "cloze.h"

namespace loquat {

// The row shown as a student would see it; the note fields are hidden unless keep_notes.
void preview_row(QlObject* window, int32_t row, bool keep_notes);

// A cell's text with TAB, CR and LF made spaces: inside a cell they would split the row when read back.
Str single_line(QlString text);

// Cells 0 to 7 of a row, each followed by a TAB, then a CR: one line of an exercise file.
Str table_line(QlObject* list, int32_t row, bool single_line_cells);

// The rules of a row that need no other row (app/rules): the first problem, if any, in a message that
// names the cell and what to change.
void check_stored_row(QlObject* window, int32_t row);

// An editor command changed the table; GET FILE and SAVE AS FILE leave it as a file holds it.
inline void table_changed(QlObject* window, bool changed = true) { state(window).table_changed = changed; }

// SAVE AS FILE: asks for a file and writes the table; false when nothing was written.
bool save_table(QlObject* window);

}  // namespace loquat
