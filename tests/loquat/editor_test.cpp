// The exercise editor as an author uses it: the table saved to a file byte for byte, deleted, and got back
// from the file; a row previewed, edited and stored; the rows renumbered after an insert and recounted; and
// what happens when there is nothing to work on.
#include "editor_fixture.h"

namespace ql::loquat_tests {
namespace {

TEST_F(LoquatEditor, TheTableGoesToAFileAndComesBackFromIt) {
  const std::string table = table_text();
  ASSERT_EQ(rows_of(table), 441u);
  EXPECT_EQ(table.substr(0, table.find('\r')).size() - table.substr(0, table.find('\r')).rfind('\t'), 1u)
      << "each cell, the last too, is followed by a TAB";

  // The popup's suffix starts empty, so the file is "clozeDBdata"; the dialog is answered with that path.
  EXPECT_EQ(window_text(control(kPopupMenu1)), "");
  ASSERT_TRUE(click(control(kSaveLBtoDisk)));
  const bool saved = wait_until([&] { return saved_text().size() >= table.size(); },
                                "the table to be saved", 15000);
  if (!saved) {
    ProgramEnd end = program_->end();
    for (const harness::MessageBox& box : end.boxes) ADD_FAILURE() << "message: " << box.text;
    for (const harness::FileDialog& dialog : end.file_dialogs)
      ADD_FAILURE() << "dialog: " << dialog.title << " [" << dialog.initial_name << "]";
    FAIL() << "nothing at " << saved_path();
  }
  settle(main_);
  EXPECT_EQ(saved_text(), table) << "the file holds the rows as LB to DB3 shows them";

  ASSERT_TRUE(click(control(kDeleteAll)));
  EXPECT_EQ(table_text(), "");
  ASSERT_TRUE(click(control(kGetDBfromDisk)));
  settle(main_, 10000);
  // Every saved line ends with a TAB, so a ninth empty field comes back; the eight cells are the same.
  EXPECT_EQ(table_text(), table);

  // A second save is cancelled: the file stays as it was.
  ASSERT_TRUE(click(control(kDeleteAll)));
  ASSERT_TRUE(click(control(kSaveLBtoDisk)));
  settle(main_, 5000);
  EXPECT_EQ(saved_text(), table);
  EXPECT_TRUE(program_->running());
}

TEST_F(LoquatEditor, WithoutAFileOrASelectedRowNothingIsLost) {
  const std::string table = table_text();
  // No file of that name: a message names it and the table stays.
  program_->hold_message_boxes();
  ASSERT_TRUE(click(control(kGetDBfromDisk)));
  ShownBox box = program_->wait_for_message_box("clozeDBdata");
  ASSERT_TRUE(box.window);
  ASSERT_TRUE(press_button(box.window, "OK"));
  program_->hold_message_boxes(false);
  EXPECT_TRUE(table_text() == table) << "the table changed";
  // An empty file: the one line read before the end is seen becomes one empty row.
  CloseHandle(CreateFileA(saved_path().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(click(control(kGetDBfromDisk)));
  settle(main_, 5000);
  const std::string with_empty_row = table_text();
  ASSERT_EQ(rows_of(with_empty_row), 442u);
  EXPECT_TRUE(with_empty_row.compare(0, table.size(), table) == 0) << "the rows before changed";
  EXPECT_EQ(with_empty_row.substr(table.size()), "\t\t\t\t\t\t\t\t\r");
  // Commands that work on the selected row do nothing while none is selected.
  ASSERT_TRUE(click(control(kDeleteRow)));
  ASSERT_TRUE(click(control(kInsert)));
  EXPECT_TRUE(table_text() == with_empty_row) << "a command without a selected row changed the table";
  EXPECT_TRUE(program_->running());
}

TEST_F(LoquatEditor, ARowIsPreviewedEditedStoredAndRecounted) {
  const std::string table = table_text();
  const std::vector<std::string> first = cells_of(table)[0];
  // A double click on the first row shows its item as a learner would see it, and it can be answered.
  ASSERT_TRUE(double_click_in(control(kListBox), {40, 26}));  // below the heading
  settle(main_);
  for (int n = 1; n <= 8; ++n) EXPECT_EQ(fdb(n), first[n - 1]) << "Fdb" << n;
  EXPECT_EQ(shown_boxes(12), static_cast<int>(split(first[4], ',').size()));

  // The explanation edited, with a TAB pasted into it, and stored: the TAB becomes a space, since inside a
  // cell it would split the row when the table is saved and read back.
  HWND note = control(kFdb1 + 5);
  ASSERT_TRUE(click(note));
  press_key('A', kCtrl);
  type_text("Only one");
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  const char pasted[] = "\tcapital.";
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof pasted);
  memcpy(GlobalLock(memory), pasted, sizeof pasted);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
  press_key('V', kCtrl);
  ASSERT_EQ(fdb(6), "Only one\tcapital.");
  ASSERT_TRUE(click(control(kMakeChangeListbox)));
  settle(main_);
  EXPECT_EQ(fdb(6), "Only one capital.") << "the field is loaded back from the row";
  std::vector<std::vector<std::string>> rows = cells_of(table_text());
  ASSERT_EQ(rows.size(), 441u);
  EXPECT_EQ(rows[0][5], "Only one capital.");
  EXPECT_EQ(rows[0].size(), 9u);
  ASSERT_TRUE(answer_item()) << "the stored row is previewed, ready to answer";

  // "! ! ! !": every row's cell 5 counts its answers, and cell 0 is a number from 1 to 10000.
  ASSERT_TRUE(click(control(kSortCol2)));
  settle(main_, 10000);
  rows = cells_of(table_text());
  ASSERT_EQ(rows.size(), 441u);
  std::vector<std::vector<std::string>> before = cells_of(table);
  for (size_t row = 0; row < rows.size(); ++row) {
    const size_t answers = before[row][3].empty() ? 0 : split(before[row][3], ',').size();
    EXPECT_EQ(rows[row][5], std::to_string(answers)) << "row " << row;
    int number = std::atoi(rows[row][0].c_str());
    EXPECT_TRUE(number >= 1 && number <= 10000 && rows[row][0] == std::to_string(number)) << rows[row][0];
    EXPECT_EQ(rows[row][3], before[row][3]);
  }

  // "Inser Row" puts an empty row at the selected one; Renumber then gives every row its index again.
  ASSERT_TRUE(click(control(kInsert)));
  rows = cells_of(table_text());
  ASSERT_EQ(rows.size(), 442u);
  EXPECT_EQ(rows[0][0], "");
  EXPECT_EQ(rows[1][3], before[0][3]);
  ASSERT_TRUE(click(control(kRenumber)));
  rows = cells_of(table_text());
  for (size_t row = 0; row < rows.size(); ++row) ASSERT_EQ(rows[row][0], std::to_string(row));
}

TEST_F(LoquatEditor, AddRowAppendsAndRenumberGivesEveryRowItsIndex) {
  ASSERT_TRUE(click(control(kAddRow)));
  std::string table = table_text();
  ASSERT_EQ(rows_of(table), 442u);
  EXPECT_EQ(table.substr(table.rfind('\r', table.size() - 2) + 1, 2), " \t");
  ASSERT_TRUE(click(control(kRenumber)));
  table = table_text();
  size_t at = 0;
  for (int row = 0; row < 442; ++row) {
    const std::string number = std::to_string(row) + "\t";
    ASSERT_EQ(table.compare(at, number.size(), number), 0) << "row " << row;
    at = table.find('\r', at) + 1;
  }
}

}  // namespace
}  // namespace ql::loquat_tests
