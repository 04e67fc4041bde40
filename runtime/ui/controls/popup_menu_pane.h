// The popup menu's pane: a system drop-down COMBOBOX whose rows carry tags, and which
// raises Change (never inside a Change of its own) when its selection changes.
#pragma once

#include "ui/controls/popup_menu_object.h"
#include "ui/panes/native_control_pane.h"

namespace ql {

class PopupPane final : public NativeControlPane {
 public:
  static constexpr int32_t kDropDownHeight = 200;  // room below the control for its list

  PopupPane(QlObject* popup, WindowPane* window, const Rect16& bounds);
  ~PopupPane() override;  // gives back the row tags
  bool build();

  bool command(int32_t notification) override;
  LRESULT window_procedure(UINT message, WPARAM wparam, LPARAM lparam) override;
  void set_bounds(const Rect16& bounds, bool redraw) override;
  bool can_take_focus() override;
  void gain_focus() override;
  void lose_focus() override;

  int32_t count() const;
  bool holds(int32_t row) const { return row >= 0 && row < count(); }
  void add(QlString text);
  void insert(int32_t row, QlString text);
  void remove(int32_t row);
  void remove_all();
  int32_t selection() const;
  // Selects the row (-1 or a row outside: none), then raises the change.
  void select(int32_t row);
  QlString row_text(int32_t row) const;  // a new reference; null outside the rows
  void set_row_text(int32_t row, QlString text);
  QlObject* tag(int32_t row) const;  // borrowed
  void set_tag(int32_t row, QlObject* tag);

  // Change, unless one of this popup runs, then the receivers.
  void changed();

 private:
  void release_tags();
  bool in_change_ = false;
};

PopupPane* popup_pane_of(QlObject* popup);

}  // namespace ql
