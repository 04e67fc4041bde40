// The popup menu's pane: its rows with their tags and its selection, shown by a system drop-down COMBOBOX
// made once the popup is seen; it raises Change (never inside a Change of its own) when the selection
// changes.
#pragma once

#include <vector>

#include "ui/controls/popup_menu_object.h"
#include "ui/panes/native_control_pane.h"

namespace ql {

class PopupPane final : public NativeControlPane {
 public:
  static constexpr int32_t kDropDownHeight = 200;  // room below the control for its list

  PopupPane(QlObject* popup, WindowPane* window, const Rect16& bounds);
  ~PopupPane() override;  // gives back the rows' texts and tags
  // Takes the rows of the initial value; the combo box is made once the popup is seen.
  bool build();

  bool command(int32_t notification) override;
  LRESULT window_procedure(UINT message, WPARAM wparam, LPARAM lparam) override;
  void set_bounds(const Rect16& bounds, bool redraw) override;
  bool can_take_focus() override;
  void gain_focus() override;
  void lose_focus() override;

  int32_t count() const { return static_cast<int32_t>(rows_.size()); }
  bool holds(int32_t row) const { return row >= 0 && row < count(); }
  void add(QlString text);
  // As the combo box takes a row: -1 appends, 0 to the count inserts there, any other row inserts nothing.
  void insert(int32_t row, QlString text);
  void remove(int32_t row);
  void remove_all();
  int32_t selection() const { return selection_; }
  // Selects the row (-1 or a row outside: none), then raises the change.
  void select(int32_t row);
  QlString row_text(int32_t row) const;  // a new reference; null outside the rows
  void set_row_text(int32_t row, QlString text);
  QlObject* tag(int32_t row) const;  // borrowed
  void set_tag(int32_t row, QlObject* tag);

  // Change, unless one of this popup runs, then the receivers.
  void changed();

 private:
  struct Row {
    QlString text;  // the pane's reference
    QlObject* tag;  // the pane's reference, or nil
  };
  bool make_platform_window() override;
  void release_rows();
  std::vector<Row> rows_;
  int32_t selection_ = -1;
  bool in_change_ = false;
};

PopupPane* popup_pane_of(QlObject* popup);

}  // namespace ql
