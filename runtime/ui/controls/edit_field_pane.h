// The edit field's pane: a system EDIT, or a rich-edit control for multi-line and
// styled fields, with the field's colours, password mask and text notifications.
#pragma once

#include "ui/controls/edit_field_object.h"
#include "ui/panes/native_control_pane.h"

namespace ql {

class EditPane final : public NativeControlPane {
 public:
  EditPane(QlObject* field, WindowPane* window, const Rect16& bounds);
  ~EditPane() override;  // deletes the background brush
  // Chooses the kind of control; its platform window is made once it is seen.
  bool build();

  bool command(int32_t notification) override;
  LRESULT notify(NMHDR* header) override;
  LRESULT window_procedure(UINT message, WPARAM wparam, LPARAM lparam) override;
  HBRUSH control_color(HDC dc) override;
  bool can_take_focus() override;
  void gain_focus() override;
  void lose_focus() override;

  bool rich() const { return rich_; }
  QlString text() const;  // a new reference
  void set_text(QlString text);
  void set_back_color(uint32_t rgb);
  void set_text_color(uint32_t rgb);
  void set_read_only(bool read_only);
  void set_limit(int32_t limit);
  void set_password(bool password);

 private:
  bool rich_ = false;
  COLORREF back_ = 0xFFFFFF, text_colour_ = 0;
  bool has_back_ = false, has_text_ = false;
  HBRUSH brush_ = nullptr;
  char mask_ = '*';
  bool applying_ = false;  // the platform window takes the field's settings as it is made

  bool make_platform_window() override;
};

EditPane* edit_pane_of(QlObject* field);

// The rich-edit library, loaded on first use (once per process), and the class name that makes its controls:
// "RichEdit". Where no control can be made of it, the fallback switches to RICHED20.DLL's "RichEdit20A" and
// answers it; null once switched.
const char* rich_edit_class();
const char* rich_edit_fallback();

}  // namespace ql
