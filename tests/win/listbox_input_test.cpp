// The list box under real input: clicks select, a double click raises DoubleClick, Shift extends a
// multiple selection, arrow keys move the selection, the scroll bar and the wheel scroll; and what a narrow
// column shows of a text too wide for it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver_input.h"
#include "driver_pixels.h"
#include "quillet/controls.h"
#include "support/ui_test_window.h"
#include "ui/graphics/fitted_text.h"
#include "ui/graphics/font_cache.h"
#include "ui/listbox/list_pane.h"
#include "ui/listbox/listbox_object.h"

namespace ql::testing {
namespace {

Properties list(const std::string& name, int left, int top, int width, int height, Properties more) {
  Properties p = control_properties(name, left, top, width, height);
  p.insert(p.end(), more.begin(), more.end());
  return p;
}

std::string rows_text(int n) {
  std::string text;
  for (int i = 0; i < n; ++i) text += (i ? "\r" : "") + ("row " + std::to_string(i));
  return text;
}

struct Seen {
  int changes = 0;
  int double_clicks = 0;
  int selected_at_double_click = -2;
};
Seen seen;
void on_change(QlObject*) { ++seen.changes; }
void on_double_click(QlObject* list) {
  ++seen.double_clicks;
  seen.selected_at_double_click = listSelectionGetter(list, 0);
}

// The middle of a row on the screen.
// Lets the double-click time pass, so that the next click is no second half of a pair.
void let_double_click_time_pass() {
  const DWORD from = GetTickCount();
  pump_until([&] { return GetTickCount() - from > GetDoubleClickTime(); }, GetDoubleClickTime() + 1000);
}

POINT row_point(const TestWindow& window, QlObject* list, int row) {
  ListPane* pane = list_pane_of(list);
  RECT content = pane->content_rect();
  int y = content.top + (row - pane->top_row()) * pane->row_height() + pane->row_height() / 2;
  return window.screen_point(content.left + 40, y);
}

TEST(ListboxInput, ClicksSelectDoubleClickRaisesDoubleClickKeysAndScrollBarMove) {
  seen = {};
  TestClass single_class("Listbox");
  single_class.on("Change", on_change).on("DoubleClick", on_double_click);
  TestClass multi_class("Listbox");
  TestWindow window(
      {{&single_class, list("Single", 10, 10, 240, 160,
                            {{"TextFont", "Geneva"}, {"TextSize", "12"}, {"InitialValue", rows_text(30)}})},
       {&multi_class,
        list("Multi", 270, 10, 240, 160, {{"SelectionType", "1"}, {"InitialValue", rows_text(6)}})}},
      100, 100, 540, 200);
  ASSERT_TRUE(window.built());
  ASSERT_TRUE(driver::bring_to_front(window.hwnd()));
  QlObject* single = window.control("Single");
  QlObject* multi = window.control("Multi");

  driver::click_at(row_point(window, single, 2));
  ASSERT_TRUE(pump_until([] { return seen.changes >= 1; }));
  EXPECT_EQ(listSelectionGetter(single, 0), 2);
  EXPECT_EQ(seen.double_clicks, 0);

  // The first press of the pair selects row 4, the second raises DoubleClick with it selected.
  let_double_click_time_pass();  // the earlier click is no part of the pair
  driver::double_click_at(row_point(window, single, 4));
  ASSERT_TRUE(pump_until([] { return seen.double_clicks >= 1; }));
  EXPECT_EQ(seen.double_clicks, 1);
  EXPECT_EQ(seen.selected_at_double_click, 4);
  EXPECT_EQ(seen.changes, 2);

  // The list has the focus: Down moves the selection, End scrolls to the bottom without touching it.
  driver::press_key(VK_DOWN);
  ASSERT_TRUE(pump_until([&] { return listSelectionGetter(single, 0) == 5; }));
  ListPane* pane = list_pane_of(single);
  driver::press_key(VK_END);
  ASSERT_TRUE(pump_until([&] { return pane->top_row() == 30 - pane->visible_rows(); }));
  EXPECT_EQ(listSelectionGetter(single, 0), 5);
  driver::press_key(VK_HOME);
  ASSERT_TRUE(pump_until([&] { return pane->top_row() == 0; }));

  // The scroll bar's lower arrow scrolls one row.
  RECT content = pane->content_rect();
  driver::click_at(window.screen_point(content.right - 8, content.bottom - 6));
  ASSERT_TRUE(pump_until([&] { return pane->top_row() == 1; }));

  // A notch of the wheel towards the user scrolls down by the system's lines per notch.
  UINT lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  driver::move_mouse(row_point(window, single, 3));
  INPUT wheel = {};
  wheel.type = INPUT_MOUSE;
  wheel.mi.dwFlags = MOUSEEVENTF_WHEEL;
  wheel.mi.mouseData = static_cast<DWORD>(-WHEEL_DELTA);
  SendInput(1, &wheel, sizeof wheel);
  ASSERT_TRUE(pump_until([&] { return pane->top_row() == 1 + static_cast<int>(lines); }));

  // Shift extends a multiple selection from the row clicked before.
  let_double_click_time_pass();
  driver::click_at(row_point(window, multi, 1));
  ASSERT_TRUE(pump_until([&] { return listSelectionGetter(multi, 0) == 1; }));
  driver::click_at(row_point(window, multi, 4), driver::MouseButton::left, driver::kShift);
  ASSERT_TRUE(pump_until([&] { return listSelCountGetter(multi, 0) == 4; }));
  EXPECT_EQ(listSelectionGetter(multi, 0), 1);
  EXPECT_TRUE(listGetSelected(multi, 4));
  EXPECT_FALSE(listGetSelected(multi, 5));
  // A press below the last row clears it.
  driver::click_at(row_point(window, multi, 8));
  ASSERT_TRUE(pump_until([&] { return listSelCountGetter(multi, 0) == 0; }));
}

int sort_requests = 0;
bool take_sort(QlObject*, int32_t column) {
  ++sort_requests;
  return column == 0;  // the handler sorts column 0 itself (here: not at all)
}

std::vector<std::string> column_texts(QlObject* list, int column) {
  std::vector<std::string> texts;
  for (int row = 0; row < listCountGetter(list, 0); ++row)
    texts.push_back(take_text(listGetCell(list, row, column)));
  return texts;
}

TEST(ListboxInput, AHeadingClickSortsByItsColumnUnlessSortColumnAnswersTrue) {
  sort_requests = 0;
  TestClass list_class("Listbox");
  list_class.on("SortColumn", take_sort);
  TestWindow window(
      {{&list_class, list("Sorted", 10, 10, 317, 140,
                          {{"ColumnCount", "2"},
                           {"ColumnWidths", "150,150"},
                           {"HasHeading", "True"},
                           {"InitialValue", "Word\tScore\rpear\t2\rApple\t30\rfig\t1\rbanana\t3"}})}},
      100, 100, 340, 170);
  ASSERT_TRUE(window.built());
  ASSERT_TRUE(driver::bring_to_front(window.hwnd()));
  QlObject* sorted = window.control("Sorted");
  listSetSelected(sorted, 1, true);  // "Apple"

  // The second heading: SortColumn (1) answers False, so the list sorts by that column's text.
  driver::click_at(window.screen_point(10 + 1 + 150 + 40, 10 + 10));
  ASSERT_TRUE(pump_until([] { return sort_requests == 1; }));
  EXPECT_EQ(column_texts(sorted, 1), (std::vector<std::string>{"1", "2", "3", "30"}));
  EXPECT_EQ(column_texts(sorted, 0), (std::vector<std::string>{"fig", "pear", "banana", "Apple"}));
  EXPECT_EQ(listSelectionGetter(sorted, 0), 3);  // the selection stays with its row

  // The first heading: the handler answers True and the rows stay as they are.
  driver::click_at(window.screen_point(10 + 1 + 40, 10 + 10));
  ASSERT_TRUE(pump_until([] { return sort_requests == 2; }));
  EXPECT_EQ(column_texts(sorted, 0), (std::vector<std::string>{"fig", "pear", "banana", "Apple"}));
  // Sorting that column from code orders the words without regard to case.
  ListPane* pane = list_pane_of(sorted);
  pane->sort(0);
  EXPECT_EQ(column_texts(sorted, 0), (std::vector<std::string>{"Apple", "banana", "fig", "pear"}));
}

// What GDI shows of text drawn at a baseline in a rectangle of the window's background, as 0x00RRGGBB pixels.
std::vector<uint32_t> rendered(const std::string& text, HFONT font, int width, int height, int x,
                               int baseline) {
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
  HGDIOBJ old_font = SelectObject(dc, font);
  RECT all = {0, 0, width, height};
  HBRUSH background = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
  FillRect(dc, &all, background);
  DeleteObject(background);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetTextAlign(dc, TA_BASELINE | TA_LEFT);
  TextOutA(dc, x, baseline, text.data(), static_cast<int>(text.size()));
  GdiFlush();
  std::vector<uint32_t> pixels(static_cast<const uint32_t*>(bits),
                               static_cast<const uint32_t*>(bits) + width * height);
  SelectObject(dc, old_font);
  SelectObject(dc, old_bitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  for (uint32_t& p : pixels) p &= 0xFFFFFF;
  return pixels;
}

std::vector<uint32_t> on_screen(const RECT& screen_rect) {
  driver::ScreenCapture capture(screen_rect);
  std::vector<uint32_t> pixels = capture.pixels();
  for (uint32_t& p : pixels) p &= 0xFFFFFF;
  return pixels;
}

int text_width(HDC dc, const std::string& text) {
  SIZE size = {};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

TEST(ListboxDrawing, NarrowColumnShowsTheTextCutAndEndedWithDots) {
  const std::string long_text = "Extraordinary", short_text = "fits";
  TestClass list_class("Listbox");
  TestWindow window({{&list_class, list("Narrow", 10, 10, 300, 80,
                                        {{"TextFont", "Geneva"},
                                         {"TextSize", "12"},
                                         {"ColumnCount", "2"},
                                         {"ColumnWidths", "60,200"},
                                         {"InitialValue", long_text + "\t" + short_text}})}},
                    100, 100, 340, 120);
  ASSERT_TRUE(window.built());
  ASSERT_TRUE(driver::bring_to_front(window.hwnd()));
  settle();
  QlObject* narrow = window.control("Narrow");
  ListPane* pane = list_pane_of(narrow);

  // The cell shows what fitted_text (tested on its own) leaves of the text in 60 - 4 pixels.
  HFONT font = acquire_font("Geneva", 12, 0);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICA tm = {};
  GetTextMetricsA(dc, &tm);
  const std::string expected = fitted_text(dc, long_text, 56);
  ASSERT_LT(text_width(dc, short_text), 196);
  ASSERT_GT(text_width(dc, long_text), 56) << "the test needs a text wider than its column";
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  ASSERT_FALSE(expected.empty());
  ASSERT_EQ(pane->row_height(), tm.tmHeight);

  RECT content = pane->content_rect();
  POINT origin = window.screen_point(content.left, content.top);
  RECT first = {origin.x, origin.y, origin.x + 60, origin.y + tm.tmHeight};
  EXPECT_EQ(on_screen(first), rendered(expected, font, 60, tm.tmHeight, 4, tm.tmAscent))
      << "expected " << expected;
  RECT second = {origin.x + 60, origin.y, origin.x + 260, origin.y + tm.tmHeight};
  EXPECT_EQ(on_screen(second), rendered(short_text, font, 200, tm.tmHeight, 4, tm.tmAscent));
  release_font(font);
}

}  // namespace
}  // namespace ql::testing
