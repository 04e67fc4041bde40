// Writing lessons on the real loquat.exe: the editor reached by --author and by Ctrl+Shift+E and kept on
// the screen, a stored row checked with the rules lessontable runs, a 7-line pattern that does not draw
// over itself, the question before quitting with changes no file holds, and the file the editor saves,
// which the ctest loquat_editor_file then imports and exports.
#include "editor_fixture.h"

namespace ql::loquat_tests {
namespace {

// The editor's controls lie beyond the lesson area; uncovered, they are on the screen inside the window.
void expect_editor_uncovered(HWND main, HWND store_button) {
  RECT content = client_rect_on_screen(main);
  EXPECT_EQ(width_of(content), 800);
  EXPECT_EQ(height_of(content), 600);
  RECT frame;
  GetWindowRect(main, &frame);
  RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  EXPECT_TRUE(frame.left >= screen.left && frame.top >= screen.top && frame.right <= screen.right &&
              frame.bottom <= screen.bottom)
      << "the window's frame lies at " << frame.left << "," << frame.top << " to " << frame.right << ","
      << frame.bottom << ", off the screen";
  RECT button = client_rect_on_screen(store_button);
  EXPECT_TRUE(is_visible(store_button));
  EXPECT_TRUE(button.left >= content.left && button.bottom <= content.bottom)
      << "CHANGE LISTBOX & CHECK is hidden";
}

// Replaces a field's text as an author types it.
void retype(HWND field, const std::string& text) {
  ASSERT_TRUE(click(field));
  press_key('A', kCtrl);
  type_text(text);
}

TEST_F(Loquat, CtrlShiftEUncoversTheEditorThatNoMenuShowsAndQuitAsksNothingWithoutChanges) {
  ASSERT_TRUE(look_into_menu(main_, "File"));
  EXPECT_FALSE(find_menu_item(main_, {"File", "Edit Lessons"})) << "learners see the editor's item";
  EXPECT_EQ(width_of(client_rect_on_screen(main_)), 480);
  ASSERT_TRUE(click(control(kCreditsCanvas)));
  press_key('E', kCtrl | kShift);
  ASSERT_TRUE(settle(main_));
  expect_editor_uncovered(main_, control(kMakeChangeListbox));
  // Seeing the editor changes nothing: Quit ends the program without a question.
  press_key('Q', kCtrl);
  EXPECT_TRUE(wait_until([&] { return !program_->running(); }, "Loquat to end on Ctrl+Q"));
}

TEST_F(LoquatAuthor, StartsWithTheEditorAndChecksTheRowItStores) {
  expect_editor_uncovered(main_, control(kMakeChangeListbox));
  program_->hold_message_boxes();
  ASSERT_TRUE(double_click_in(control(kListBox), {40, 26}));  // row 0, below the heading
  ASSERT_TRUE(settle(main_));
  ASSERT_EQ(fdb(1), "0");

  // An answer that is no choice: the row is stored, and one message names the cell and what to change.
  retype(control(kFdb1 + 3), "the,xyz");
  ASSERT_TRUE(click(control(kMakeChangeListbox)));
  ShownBox answers = program_->wait_for_message_box("cell 3 (answers)");
  ASSERT_TRUE(answers.window);
  EXPECT_EQ(
      answers.content.text.rfind("Row 0, cell 3 (answers): answer 2 'xyz' is not one of the choices "
                                 "'a,an,*,the,some,any', so the item could never be finished: correct the "
                                 "answer or add the choice",
                                 0),
      0u)
      << answers.content.text;
  EXPECT_NE(answers.content.text.find("1 more problem(s) in this row"), std::string::npos)
      << answers.content.text;
  ASSERT_TRUE(press_button(answers.window, "OK"));
  EXPECT_EQ(fdb(4), "the,xyz") << "the row stays stored as the author wrote it";

  // A pattern of 7 lines: the engine says so, the check names the cell, and the preview draws no line over
  // another or over the title (row 0's two lines stood at 120 and 180 before).
  retype(control(kFdb1 + 3), "the");
  retype(control(kFdb1 + 2), "One/two/three/four/five/six/_ seven.");
  ASSERT_TRUE(click(control(kMakeChangeListbox)));
  ShownBox engine = program_->wait_for_message_box("You have set 7 lines");
  ASSERT_TRUE(engine.window);
  ASSERT_TRUE(press_button(engine.window, "OK"));
  ShownBox pattern = program_->wait_for_message_box("cell 2 (pattern): the pattern has 7 lines");
  ASSERT_TRUE(pattern.window);
  ASSERT_TRUE(press_button(pattern.window, "OK"));
  ASSERT_TRUE(settle(main_));
  RECT canvas = client_rect_on_screen(control(kBigCanvas));
  ScreenCapture above_boxes({canvas.left, canvas.top, canvas.left + 480, canvas.top + 255});
  EXPECT_EQ(above_boxes.width() * above_boxes.height() - above_boxes.count(kWhite, 30), 0)
      << "the sentence's lines are drawn over each other and the title line";
  program_->hold_message_boxes(false);
}

TEST_F(LoquatAuthor, QuitAfterAChangeAsksAndCancelKeepsTheTable) {
  ASSERT_TRUE(click(control(kAddRow)));
  const std::string table = table_text();
  ASSERT_EQ(rows_of(table), 442u);

  // Ctrl+Q and closing the window both ask; Cancel keeps the program and the table as they were.
  ASSERT_TRUE(click(control(kCreditsCanvas)));
  press_key('Q', kCtrl);
  HWND question = wait_for_window(*program_, {.text = "Unsaved changes"});
  ASSERT_TRUE(question);
  EXPECT_TRUE(find_child(question, {.text = "Don't Save"}));
  ASSERT_TRUE(press_button(question, "Cancel"));
  ASSERT_TRUE(wait_for_window_gone(question));
  PostMessageA(main_, WM_CLOSE, 0, 0);
  question = wait_for_window(*program_, {.text = "Unsaved changes"});
  ASSERT_TRUE(question);
  ASSERT_TRUE(press_button(question, "Cancel"));
  ASSERT_TRUE(wait_for_window_gone(question));
  ASSERT_TRUE(program_->running());
  EXPECT_TRUE(table_text() == table) << "the table changed";

  // File > Quit asks too; "Don't Save" lets the changes go and ends the program.
  ASSERT_TRUE(choose_menu_item(main_, {"File", "Quit"}));
  question = wait_for_window(*program_, {.text = "Unsaved changes"});
  ASSERT_TRUE(question);
  ASSERT_TRUE(press_button(question, "Don't Save"));
  EXPECT_TRUE(wait_until([&] { return !program_->running(); }, "Loquat to end after Don't Save"));
}

// "Save..." saves the table through the save dialog, then the program ends; the file is the one the ctest
// loquat_editor_file imports into the repository's format and exports back.
TEST_F(LoquatAuthor, SavingBeforeQuittingWritesTheFileThatLessontableImports) {
  const std::string kept = harness::program_folder() + "..\\test-output\\editor-clozeDBdata";
  DeleteFileA(kept.c_str());
  // Renumber writes every row's own index again: the table is as shipped, yet changed by a command.
  ASSERT_TRUE(click(control(kRenumber)));
  ASSERT_TRUE(settle(main_, 10000));
  press_key('Q', kCtrl);
  HWND question = wait_for_window(*program_, {.text = "Unsaved changes"});
  ASSERT_TRUE(question);
  ASSERT_TRUE(press_button(question, "Save..."));
  ASSERT_TRUE(wait_until([&] { return !program_->running(); }, "Loquat to save the table and end", 20000));
  const std::string saved = harness::read_file(saved_path());
  ASSERT_EQ(std::count(saved.begin(), saved.end(), '\r'), 441);
  CreateDirectoryA((harness::program_folder() + "..\\test-output").c_str(), nullptr);
  ASSERT_TRUE(harness::write_file(kept, saved));
}

}  // namespace
}  // namespace ql::loquat_tests
