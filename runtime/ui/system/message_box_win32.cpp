// RuntimeMsgBox: the runtime's modal message box, which the fatal paths use too.
#include <windows.h>

#include <vector>

#include "quillet/start.h"
#include "ui/ui_steps.h"
#include "ui/window/window_pane.h"
#include "values/string.h"

namespace ql {

void show_message_box(const char* text) {
  char frame_title[256] = "";
  const char* caption = "Message";
  if (ql::ui_settings().mdi) {
    caption = ql::ui_settings().mdi_title.c_str();
    if (HWND frame = ql::mdi_frame(); frame && GetWindowTextA(frame, frame_title, sizeof frame_title) > 0)
      caption = frame_title;
  }
  HWND owner = ql::owner_window();
  // The box's own loop dispatches every message of the thread: with the other windows disabled, none of
  // them takes input (and so raises no event) until the box is dismissed. Painting goes on.
  std::vector<HWND> disabled;
  for (ql::WindowPane* w = ql::first_window(); w; w = w->next_window) {
    HWND hwnd = w->hwnd();
    if (hwnd && hwnd != owner && IsWindowEnabled(hwnd)) {
      EnableWindow(hwnd, FALSE);
      disabled.push_back(hwnd);
    }
  }
  MessageBoxA(owner, text, caption, MB_OK);
  for (HWND hwnd : disabled) {
    if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
  }
}

}  // namespace ql

QL_API void RuntimeMsgBox(QlString text) { ql::show_message_box(ql::string_cview(text)); }
