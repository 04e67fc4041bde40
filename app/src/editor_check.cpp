// The check that CHANGE LISTBOX & CHECK runs on the stored row: the rules lessontable also runs that need no
// other row, from app/rules, with the first problem told in a message box.
#include "editor.h"
#include "rules/row_rules.h"

using namespace loquat;

namespace {

struct Found {
  int count = 0;
  int cell = -1;
  rules::Message first;
};

void receive(void* context, int cell, rules::Span message) {
  Found& found = *static_cast<Found*>(context);
  if (found.count++ == 0) {
    found.cell = cell;
    found.first << message;
  }
}

rules::Span bytes_of(QlString s) { return rules::Span(StringGetCString(s), StringLen(s)); }

Str string_of(rules::Span text) {
  Str result;
  for (int i = 0; i < text.size; ++i) {
    Str byte = chr(static_cast<uint8_t>(text[i]));
    result = cat(result.get(), byte.get());
  }
  return result;
}

}  // namespace

namespace loquat {

void check_stored_row(QlObject* window, int32_t row) {
  QlObject* list = exercise_list(window);
  Str cells[kCellCount];
  rules::Row cell_bytes;
  for (int32_t cell = 0; cell < kCellCount; ++cell) {
    cells[cell] = Str(listGetCell(list, row, cell));
    cell_bytes.cells[cell] = bytes_of(cells[cell].get());
  }
  const rules::RowKind kind = rules::kind_of_set(cell_bytes.cells[kSet]);
  Found found;
  rules::Report report(receive, &found, kind);
  if (kind == rules::RowKind::kUnknown) {
    rules::Message unknown;
    unknown << "the set code '" << cell_bytes.cells[kSet]
            << "' belongs to no lesson: give the set of the lesson the row is for, as 'a01', 'L02' or 'p13'";
    report.error(kSet, unknown);
  }
  rules::check_row_alone(cell_bytes, report);
  if (found.count == 0) return;
  rules::Message text;
  text << "Row " << row << ", cell " << found.cell << " (" << rules::cell_name(kind, found.cell)
       << "): " << found.first.text();
  if (found.count > 1)
    text << "\r\r" << found.count - 1 << " more problem(s) in this row show once this one is mended.";
  Str message = string_of(text.text());
  RuntimeMsgBox(message.get());
}

}  // namespace loquat
