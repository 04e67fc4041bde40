// The list box's columns, rows, cells, headings, initial value and selection, on real lists in a real window.
#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "objects/objects.h"
#include "quillet/controls.h"
#include "support/ui_test_window.h"
#include "ui/listbox/list_pane.h"
#include "ui/listbox/listbox_object.h"
#include "unit/objects/catch_raise_fixture.h"
#include "values/string.h"

namespace ql::testing {
namespace {

Properties list(const std::string& name, int left, int top, int width, int height, Properties more) {
  Properties p = control_properties(name, left, top, width, height);
  p.insert(p.end(), more.begin(), more.end());
  return p;
}

std::vector<int> widths_of(QlObject* list) {
  ListboxFields* f = as_listbox_fields(list);
  return std::vector<int>(f->widths, f->widths + f->column_count);
}

std::string cell(QlObject* list, int row, int column) { return take_text(listGetCell(list, row, column)); }

int changes = 0;
void count_change(QlObject*) { ++changes; }

TEST(ListboxColumns, WidthsFollowTheWidthsTextAndCountsAreClamped) {
  TestClass list_class("Listbox");
  TestWindow window(
      {{&list_class, list("Exercises", 0, 0, 600, 120,
                          {{"ColumnCount", "8"},
                           {"ColumnWidths", "45, 32, 250, 140, 80, 80,80,80"},
                           {"HasHeading", "True"}})},
       {&list_class, list("Halves", 0, 130, 217, 80, {{"ColumnCount", "2"}, {"ColumnWidths", "50%,*"}})}},
      100, 100, 640, 240);
  ASSERT_TRUE(window.built());
  QlObject* exercises = window.control("Exercises");
  QlObject* halves = window.control("Halves");

  // 583 available: the sixth column gets what is left of its 80, the last two nothing.
  EXPECT_EQ(widths_of(exercises), (std::vector<int>{45, 32, 250, 140, 80, 36, 0, 0}));
  // 200 available: half of it, then "*" has no digits (0), and the last column takes the remaining 100.
  EXPECT_EQ(widths_of(halves), (std::vector<int>{100, 100}));

  listColumnWidthsSetter(halves, 0, nullptr);
  listColumnCountSetter(halves, 0, 3);
  EXPECT_EQ(widths_of(halves), (std::vector<int>{66, 67, 67}));  // shared out, the rest to the later ones

  listColumnCountSetter(exercises, 0, 0);
  EXPECT_EQ(listColumnCountGetter(exercises, 0), 1);
  EXPECT_EQ(widths_of(exercises), (std::vector<int>{45 + 538}));
  listColumnCountSetter(exercises, 0, 200);
  EXPECT_EQ(listColumnCountGetter(exercises, 0), 63);
  std::vector<int> many = widths_of(exercises);
  EXPECT_EQ(std::accumulate(many.begin(), many.end(), 0), 583);
  EXPECT_EQ(many[5], 36);
  listColumnCountSetter(exercises, 0, 8);
  listColumnCountSetter(exercises, 0, -1);
  EXPECT_EQ(listColumnCountGetter(exercises, 0), 63);
  QlString widths = listColumnWidthsGetter(exercises, 0);
  EXPECT_EQ(take_text(widths), "45, 32, 250, 140, 80, 80,80,80");
}

std::vector<int> expanded_rows;
void add_two_children(QlObject* list, int32_t row) {
  expanded_rows.push_back(row);
  for (const char* child : {"child a", "child b"}) {
    QlString text = runtime_string(child);
    RuntimeListAddRow(list, text);
    string_release(text);
  }
}

std::vector<std::string> first_column(QlObject* list) {
  std::vector<std::string> texts;
  for (int row = 0; row < listCountGetter(list, 0); ++row) texts.push_back(cell(list, row, 0));
  return texts;
}

TEST(ListboxRows, ExpandingAParentAddsItsChildrenBelowItAndCollapsingTakesThemAway) {
  expanded_rows.clear();
  TestClass tree_class("Listbox");
  tree_class.on("ExpandRow", add_two_children);
  TestWindow window({{&tree_class, list("Tree", 0, 0, 200, 150, {{"Hierarchical", "True"}})}}, 100, 100, 220,
                    170);
  ASSERT_TRUE(window.built());
  QlObject* tree = window.control("Tree");
  for (const char* text : {"one", "two"}) {
    QlString s = runtime_string(text);
    RuntimeListAddParent(tree, s);
    string_release(s);
  }
  QlString three = runtime_string("three");
  RuntimeListAddRow(tree, three);
  string_release(three);
  EXPECT_GE(list_pane_of(tree)->row_height(), 18);

  listSetExpanded(tree, 0, true);
  EXPECT_EQ(expanded_rows, (std::vector<int>{0}));
  EXPECT_TRUE(listGetExpanded(tree, 0));
  EXPECT_EQ(first_column(tree), (std::vector<std::string>{"one", "child a", "child b", "two", "three"}));
  EXPECT_EQ(listLastIndexGetter(tree, 0), 2);
  EXPECT_EQ(list_pane_of(tree)->rows().row(1)->depth, 1);
  listSetExpanded(tree, 3, true);  // "two": its children go below it, not at the end
  EXPECT_EQ(first_column(tree),
            (std::vector<std::string>{"one", "child a", "child b", "two", "child a", "child b", "three"}));

  listSetExpanded(tree, 0, false);
  EXPECT_EQ(first_column(tree), (std::vector<std::string>{"one", "two", "child a", "child b", "three"}));
  listSetExpanded(tree, 4, true);  // a row that is no parent does not expand
  EXPECT_EQ(expanded_rows, (std::vector<int>{0, 3}));
}

QlObject* target = nullptr;
void remove_past_the_end() { RuntimeRemoveRow(target, listCountGetter(target, 0)); }
void remove_before_the_start() { RuntimeRemoveRow(target, -1); }
void get_past_the_end() { listGetCell(target, listCountGetter(target, 0), 0); }
void set_before_the_start() { listSetCell(target, -1, 2, nullptr); }
void get_row_past_the_end() { RuntimeGetRow(target, 1000); }

TEST(ListboxRows, InitialValueCellsSelectionAndInsertion) {
  TestClass list_class("Listbox");
  TestClass multi_class("Listbox");
  multi_class.on("Change", count_change);
  std::string ten_rows;
  for (int i = 0; i < 10; ++i) ten_rows += (i ? "\r" : "") + ("r" + std::to_string(i));
  TestWindow window(
      {{&list_class, list("Plain", 0, 0, 200, 100, {{"ColumnCount", "6"}, {"InitialValue", "a\tb\rc"}})},
       {&list_class, list("Headed", 210, 0, 200, 100,
                          {{"ColumnCount", "3"}, {"HasHeading", "True"}, {"InitialValue", "a\tb\rc"}})},
       {&multi_class, list("Multi", 0, 110, 200, 150, {{"SelectionType", "1"}, {"InitialValue", ten_rows}})}},
      100, 100, 420, 270);
  ASSERT_TRUE(window.built());
  QlObject* plain = window.control("Plain");
  QlObject* headed = window.control("Headed");
  QlObject* multi = window.control("Multi");

  // Without headings the first line is a row: a with b in column 1, then c.
  ASSERT_EQ(listCountGetter(plain, 0), 2);
  EXPECT_EQ(cell(plain, 0, 0), "a");
  EXPECT_EQ(cell(plain, 0, 1), "b");
  EXPECT_EQ(cell(plain, 1, 0), "c");
  EXPECT_EQ(cell(plain, 1, 1), "");  // never set: empty, not an error
  EXPECT_EQ(listLastIndexGetter(plain, 0), 1);
  // With headings the first line names the columns.
  ASSERT_EQ(listCountGetter(headed, 0), 1);
  EXPECT_EQ(cell(headed, 0, 0), "c");
  EXPECT_EQ(take_text(listGetHeading(headed, 0)), "a");
  EXPECT_EQ(take_text(listGetHeading(headed, 1)), "b");
  EXPECT_EQ(take_text(listGetHeading(headed, 2)), "Field3");

  // A cell of column 5 is made on demand; the columns between stay empty.
  QlString five = runtime_string("five");
  listSetCell(plain, 1, 5, five);
  string_release(five);
  EXPECT_EQ(cell(plain, 1, 5), "five");
  for (int column = 1; column <= 4; ++column) EXPECT_EQ(cell(plain, 1, column), "") << column;
  EXPECT_EQ(cell(plain, 1, 0), "c");

  // Multiple selection: rows 7 and 3 selected, the smallest answers.
  changes = 0;
  listSetSelected(multi, 7, true);
  listSetSelected(multi, 3, true);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(listSelectionGetter(multi, 0), 3);
  EXPECT_EQ(listSelCountGetter(multi, 0), 2);
  EXPECT_FALSE(listGetSelected(multi, 5));
  EXPECT_EQ(take_text(listTextGetter(multi, 0)), "r3");

  // Insertion clamps: -5 inserts first, 1000 appends; the selection moves with its rows.
  QlString first = runtime_string("first"), last = runtime_string("last");
  RuntimeListInsertRow(multi, -5, first);
  EXPECT_EQ(cell(multi, 0, 0), "first");
  EXPECT_EQ(listLastIndexGetter(multi, 0), 0);
  EXPECT_EQ(listSelectionGetter(multi, 0), 4);
  EXPECT_TRUE(listGetSelected(multi, 8));
  RuntimeListInsertRow(multi, 1000, last);
  ASSERT_EQ(listCountGetter(multi, 0), 12);
  EXPECT_EQ(cell(multi, 11, 0), "last");
  EXPECT_EQ(listLastIndexGetter(multi, 0), 11);
  string_release(first);
  string_release(last);
  RuntimeRemoveRow(multi, 0);
  EXPECT_EQ(cell(multi, 0, 0), "r0");
  EXPECT_EQ(listSelectionGetter(multi, 0), 3);

  // Selecting one row alone, and an index outside the rows clearing the selection.
  listSelectionSetter(multi, 0, 9);
  EXPECT_EQ(listSelCountGetter(multi, 0), 1);
  EXPECT_EQ(listSelectionGetter(multi, 0), 9);
  listSelectionSetter(multi, 0, 99);
  EXPECT_EQ(listSelectionGetter(multi, 0), -1);

  RuntimeListEmpty(multi);
  EXPECT_EQ(listCountGetter(multi, 0), 0);
  EXPECT_EQ(listSelCountGetter(multi, 0), 0);

  // A list whose window is closed answers empty values.
  retain_object(plain);
  window.close();
  EXPECT_EQ(listGetCell(plain, 0, 0), nullptr);
  EXPECT_EQ(listSelectionGetter(plain, 0), -1);
  release_object(plain);
}

TEST(ListboxRows, RowsOutsideTheListRaiseOutOfBoundsAndChangeNothing) {
  TestClass list_class("Listbox");
  TestWindow window(
      {{&list_class, list("Rows", 0, 0, 200, 100, {{"ColumnCount", "3"}, {"InitialValue", "a\tb\rc\td"}})}},
      100, 100, 220, 120);
  ASSERT_TRUE(window.built());
  target = window.control("Rows");
  const ClassObject* out_of_bounds = builtin_class("OutOfBoundsException");
  for (void (*raiser)() : {remove_past_the_end, remove_before_the_start, get_past_the_end,
                           set_before_the_start, get_row_past_the_end}) {
    QlObject* caught = catch_raise_fixture(raiser);
    ASSERT_NE(caught, nullptr);
    EXPECT_EQ(class_of(caught), out_of_bounds);
    release_object(caught);
  }
  ASSERT_EQ(listCountGetter(target, 0), 2);
  EXPECT_EQ(cell(target, 0, 1), "b");
  EXPECT_EQ(cell(target, 1, 1), "d");
  target = nullptr;
}

}  // namespace
}  // namespace ql::testing
