// The list box's pane: a "QL_Pane" child that keeps the rows, cells, headings and selection, draws them
// itself through a graphics state, scrolls with a vertical scroll bar of its own, and raises the list's
// events. Row changes and painting exclude each other through the pane's critical section.
#pragma once

#include <windows.h>

#include <stdint.h>

#include "ui/listbox/list_columns.h"
#include "ui/listbox/list_rows.h"
#include "ui/listbox/list_selection.h"
#include "ui/panes/control_pane.h"

namespace ql {

class GraphicsState;
struct ListboxFields;

class ListPane final : public ControlPane {
 public:
  ListPane(QlObject* list, WindowPane* window, const Rect16& bounds);
  ~ListPane() override;

  // The font's metrics, the initial value and the column widths; the platform window and its scroll bar are
  // made once the list is seen.
  bool build();
  // Rows (and, on the first line of a list with headings, headings) from a text in the initial value's
  // layout: a tab ends a cell, a carriage return a line.
  void load_rows(QlString text);

  // Pane operations.
  void draw() override;
  bool mouse_down(int32_t x, int32_t y, int32_t modifiers) override;
  void mouse_drag(int32_t x, int32_t y) override;
  bool can_take_focus() override;
  void gain_focus() override;
  void lose_focus() override;
  void set_bounds(const Rect16& bounds, bool redraw) override;
  bool key_down(int32_t key) override;
  void state_message(int32_t code) override;
  void idle() override;
  void set_enabled(bool enabled, bool redraw) override;
  void vertical_scroll(int32_t code) override;

  ListboxFields* fields() const;

  // Rows. Indexes are checked by the entry points before they come here; insertion clamps.
  ListRows& rows() { return rows_; }
  void add_row(QlString text, bool parent);
  void insert_row(int32_t index, QlString text);
  void remove_row(int32_t index);
  void remove_all_rows();
  void set_cell(int32_t row, int32_t column, QlString text);
  // The cell to change a style, type, check or alignment of, made when missing; then call row_changed.
  ListCell* cell_to_change(int32_t row, int32_t column);
  void row_changed(int32_t row);
  void sort(int32_t column);
  void set_expanded(int32_t row, bool expanded);

  // Headings, 64 of them.
  QlString heading(int32_t column) const;  // borrowed
  void set_heading(int32_t column, QlString text);

  // Column types and alignments, which cells without their own follow.
  uint8_t column_type[kListHeadings] = {};
  uint8_t column_alignment[kListHeadings] = {};
  int16_t column_offset[kListHeadings] = {};
  void columns_changed();  // count or widths text changed: widths recomputed, redrawn
  void font_changed();     // the pane's font fields changed
  void layout_changed();   // headings, hierarchy or grid lines switched: rows and bar placed again
  void redraw();

  // Selection. Each change tells the listeners, redraws what changed, and raises Change (not while one
  // runs). False when a handler closed the window: the pane is gone then.
  const ListSelection& selection() const { return selection_; }
  bool select_only(int32_t row, bool scroll_into_view);  // a row outside the rows clears the selection
  bool set_row_selected(int32_t row, bool selected);
  bool select_range(int32_t from, int32_t to);  // every row between them, in either order
  bool clear_selection();

  int32_t row_height() const { return row_height_; }
  int32_t top_row() const { return top_; }
  void scroll_to(int32_t top);
  // The content area in window coordinates: the bounds inset by 1, below the headings.
  RECT content_rect() const;
  int32_t visible_rows() const;  // rows that fit whole

 private:
  bool make_platform_window() override;
  // Held while rows change and while the pane paints.
  class Lock {
   public:
    explicit Lock(CRITICAL_SECTION& section) : section_(section) { EnterCriticalSection(&section_); }
    ~Lock() { LeaveCriticalSection(&section_); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

   private:
    CRITICAL_SECTION& section_;
  };
  void draw_rows(HDC dc, const RECT& clip);
  void draw_row(HDC dc, int32_t index, const RECT& rect);
  void draw_cell(HDC dc, ListRow* row, int32_t column, ListCell* cell, const RECT& cell_rect);
  void draw_headings(HDC dc);
  void draw_focus_ring(bool on);
  HFONT font_for(uint8_t style);
  void release_fonts();

  int32_t row_at(int32_t y) const;  // may lie outside the rows
  RECT row_rect(int32_t index) const;
  void invalidate_rows(int32_t from, int32_t to);  // inclusive, visible part only
  void invalidate_from(int32_t index);
  void rows_changed();  // count changed: scroll position and bar follow
  void sync_scroll_bar();
  void scroll_into_view(int32_t row);
  void place_scroll_bar();
  int32_t max_top() const;
  bool multiple() const;

  bool begin_selection_change();
  bool end_selection_change(int32_t scroll_row);
  void selection_rows_changed(const ListSelection& before);

  void heading_click(int32_t x);
  bool toggle_check_box(int32_t row, int32_t x);
  bool disclosure_click(int32_t row, int32_t x);

  ListRows rows_;
  ListSelection selection_;
  QlString headings_[kListHeadings] = {};
  CRITICAL_SECTION lock_;
  GraphicsState* graphics_ = nullptr;
  HWND scroll_bar_ = nullptr;
  HFONT fonts_[8] = {};  // the list's font with each combination of added style bits
  int32_t row_height_ = 16, text_height_ = 16, ascent_ = 12;
  int32_t top_ = 0;
  bool scroll_dirty_ = true;
  bool active_ = false;
  bool focused_ = false;
  bool in_change_ = false;
  int32_t expanding_row_ = -1;  // while an ExpandRow handler runs
  // The last press, for double clicks and Shift ranges.
  int32_t anchor_ = -1;
  int32_t last_press_row_ = -1;
  DWORD last_press_tick_ = 0;
  int32_t last_press_modifiers_ = 0;
  uint32_t selection_serial_ = 0;  // counts selection changes
  uint32_t last_press_serial_ = 0;
  int32_t drag_row_ = -1;
};

}  // namespace ql
