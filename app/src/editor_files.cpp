// The exercise editor's files: appending a file to the table ("GET FILE") and writing the table to a file
// ("SAVE AS FILE"). A file holds one row a line, each cell followed by a TAB, each line ended by a CR.
#include "editor.h"

using namespace loquat;

namespace {

// "clozeDBdata" followed by the suffix chosen in PopupMenu1.
Str exercise_file_name(QlObject* window) {
  Str suffix(popupTextGetter(control(window, QL_STR("PopupMenu1")), 0));
  return cat(QL_STR("clozeDBdata"), suffix.get());
}

void report_missing(QlString name) {
  Str start = cat(QL_STR("No exercise file named \""), name, QL_STR("\" was found in Loquat's folder."));
  Str text = cat(start.get(), QL_STR("\rChoose another suffix, or save a table under that name first."));
  RuntimeMsgBox(text.get());
}

void report_unreadable(QlString name) {
  Str text =
      cat(QL_STR("The exercise file \""), name, QL_STR("\" could not be opened. The table is unchanged."));
  RuntimeMsgBox(text.get());
}

void report_unwritable(QlObject* item) {
  Str name(fileNameGetter(item));
  Str start = cat(QL_STR("The file \""), name.get(), QL_STR("\" could not be written."));
  Str text = cat(start.get(), QL_STR("\rChoose another folder or name."));
  RuntimeMsgBox(text.get());
}

// One line of a file becomes a new last row, widening the list to the line's fields.
void append_line(QlObject* list, QlString line) {
  Str tab = chr(9);
  int32_t fields = count_fields(line, tab.get());
  if (listColumnCountGetter(list, 0) < fields) listColumnCountSetter(list, 0, fields);
  // A list holds at most 63 columns; fields beyond them are not kept.
  int32_t columns = listColumnCountGetter(list, 0);
  Str first = nth_field(line, tab.get(), 1);
  RuntimeListAddRow(list, first.get());
  int32_t last = listCountGetter(list, 0) - 1;
  for (int32_t cell = 0; cell < fields && cell < columns; ++cell) {
    Str text = nth_field(line, tab.get(), cell + 1);
    listSetCell(list, last, cell, text.get());
  }
}

}  // namespace

namespace loquat {

bool save_table(QlObject* window) {
  Str suggested = exercise_file_name(window);
  Obj item(RuntimeGetSaveFolderItem(QL_STR("application/text"), suggested.get()));
  if (!item) return false;
  if (fileExistsGetter(item.get())) {
    Obj existing(FolderItemOpenBinaryFile(item.get(), true));
    if (existing) BinaryStreamClose(existing.get());
  }
  Obj out(FolderItemCreateTextFile(item.get()));
  if (!out) {
    report_unwritable(item.get());
    return false;
  }
  QlObject* list = exercise_list(window);
  int32_t rows = listCountGetter(list, 0);
  for (int32_t row = 0; row < rows; ++row) {
    RuntimeBackgroundTask();
    Str line = table_line(list, row, true);
    TextOutputStreamWrite(out.get(), line.get());
  }
  TextOutputStreamClose(out.get());
  table_changed(window, false);
  return true;
}

}  // namespace loquat

extern "C" {

// GetDBfromDisk: the rows are appended after the table's own ("Delete All" first replaces it).
void get_file_action(QlObject*) {
  Obj window(open_cloze());
  if (!window) return;
  Str name = exercise_file_name(window.get());
  Obj item(RuntimeGetFolderItem(name.get()));
  if (!item || !fileExistsGetter(item.get())) {
    report_missing(name.get());
    return;
  }
  Obj in(FolderItemOpenTextFile(item.get()));
  if (!in) {
    report_unreadable(name.get());
    return;
  }
  QlObject* list = exercise_list(window.get());
  do {
    RuntimeBackgroundTask();
    Str line(TextInputStreamReadLine(in.get()));
    append_line(list, line.get());
  } while (!TextInputStreamEOF(in.get()));
  TextInputStreamClose(in.get());
  table_changed(window.get(), false);
}

// SaveLBtoDisk. Cancelling the dialog leaves everything as it was.
void save_file_action(QlObject*) {
  Obj window(open_cloze());
  if (window) save_table(window.get());
}

}  // extern "C"
