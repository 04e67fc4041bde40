// Times the list box with the exercise table: making the list from its 441-row InitialValue (the window's
// ListBox control, built as window building builds it), reading every cell back with listGetCell, and
// scrolling through it one row at a time with every step painted. Prints milliseconds and ns per cell.
#include <stdio.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/window_building.h"
#include "objects/objects.h"
#include "quillet/controls.h"
#include "ui/listbox/list_pane.h"
#include "ui/listbox/listbox_object.h"
#include "values/string.h"
#include "win/support/ui_test_window.h"

namespace {

using namespace ql::testing;

constexpr int kRounds = 7;  // the best round counts
constexpr int kColumns = 8;

// The table as the image build writes the list's InitialValue: an empty heading line, then each row's
// cells each followed by a TAB, rows separated by CR.
std::string initial_value(const char* path, int& rows) {
  std::ifstream in(path, std::ios::binary);
  if (!in) in.open(std::string("Z:") + path, std::ios::binary);
  std::string line, text;
  rows = 0;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    text += '\r';
    std::stringstream cells(line);
    std::string cell;
    int n = 0;
    while (std::getline(cells, cell, '\t') && n < kColumns) {
      text += cell + '\t';
      ++n;
    }
    for (; n < kColumns; ++n) text += '\t';
    ++rows;
  }
  return text;
}

template <typename Work>
double best_ms(Work work, int rounds = kRounds) {
  double best = 1e30;
  for (int round = 0; round < rounds; ++round) {
    auto start = std::chrono::steady_clock::now();
    work();
    std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    best = std::min(best, elapsed.count());
  }
  return best;
}

Properties list_properties(const std::string& text) {
  Properties p = control_properties("ListBox", 0, 384, 787, 176);
  p.insert(p.end(), {{"TextFont", "Geneva"},
                     {"TextSize", "12"},
                     {"ColumnCount", "8"},
                     {"ColumnWidths", "45, 32, 250, 140, 80, 80,80,80"},
                     {"HasHeading", "True"},
                     {"InitialValue", text}});
  return p;
}

}  // namespace

int main() {
  int rows = 0;
  const std::string text = initial_value(QL_EXERCISE_TABLE, rows);
  if (rows == 0) {
    printf("cannot read the exercise table %s\n", QL_EXERCISE_TABLE);
    return 1;
  }
  TestClass list_class("Listbox");
  TestWindow window({{&list_class, list_properties(text)}}, 20, 20, 800, 600);
  if (!window.built()) {
    printf("the window could not be made\n");
    return 1;
  }
  QlObject* list = window.control("ListBox");
  const Properties properties = list_properties(text);

  const double cells = static_cast<double>(rows) * kColumns;
  constexpr int kPaints = 50;
  double paint_ms = best_ms([&] {
    for (int i = 0; i < kPaints; ++i) {
      InvalidateRect(ql::list_pane_of(list)->hwnd(), nullptr, FALSE);
      UpdateWindow(ql::list_pane_of(list)->hwnd());
    }
  });
  // The rows from the text alone, into the window's list emptied first.
  ql::ListPane* pane = ql::list_pane_of(list);
  QlString value = ql::string_from_bytes(text.data(), static_cast<int32_t>(text.size()));
  int32_t made_rows = 0;
  double fill_ms = 1e30, empty_ms = 1e30;
  for (int round = 0; round < kRounds; ++round) {
    empty_ms = std::min(empty_ms, best_ms([&] { RuntimeListEmpty(list); }, 1));
    fill_ms = std::min(fill_ms, best_ms([&] { pane->load_rows(value); }, 1));
    made_rows = listCountGetter(list, 0);
  }
  ql::string_release(value);
  // A whole second ListBox made and dropped each round, as window building makes the window's: the
  // object, its properties, its platform windows and the rows.
  double control_ms = best_ms([&] {
    QlObject* copy = ql::make_control(window.object(), list_class.get(), properties);
    ql::make_control_pane(copy);
    ql::release_object(copy);
  });

  size_t bytes_read = 0;
  double read_ms = best_ms([&] {
    bytes_read = 0;
    int32_t count = listCountGetter(list, 0);
    for (int32_t row = 0; row < count; ++row) {
      for (int32_t column = 0; column < kColumns; ++column) {
        QlString cell = listGetCell(list, row, column);
        bytes_read += static_cast<size_t>(ql::string_length(cell));
        ql::string_release(cell);
      }
    }
  });

  const int32_t steps = std::max(1, listCountGetter(list, 0) - pane->visible_rows());
  double scroll_ms = best_ms([&] {
    for (int32_t top = 0; top <= steps; ++top) {
      pane->scroll_to(top);
      UpdateWindow(pane->hwnd());
    }
    pane->scroll_to(0);
    UpdateWindow(pane->hwnd());
  });

  printf(
      "list box with the exercise table: %d rows x %d columns, InitialValue of %.1f KB, best of %d rounds\n",
      rows, kColumns, text.size() / 1024.0, kRounds);
  printf("rows and cells from the InitialValue:    %8.3f ms (%d rows), %6.1f ns per cell\n", fill_ms,
         made_rows, fill_ms * 1e6 / cells);
  printf("emptying it again (RuntimeListEmpty):    %8.3f ms\n", empty_ms);
  printf("the whole control with its windows:      %8.2f ms\n", control_ms);
  printf("reading every cell with listGetCell:     %8.3f ms, %6.1f ns per cell (%zu bytes)\n", read_ms,
         read_ms * 1e6 / cells, bytes_read);
  printf("painting the whole list (%2d rows shown): %8.3f ms\n", pane->visible_rows(), paint_ms / kPaints);
  printf("scrolling row by row, each step painted: %8.2f ms for %d steps, %6.3f ms per step\n", scroll_ms,
         steps + 1, scroll_ms / (steps + 2));
  return made_rows == rows ? 0 : 1;
}
