// The window procedures of the runtime's window classes, and registering the classes.
#pragma once

#include <windows.h>

namespace ql {

LRESULT CALLBACK window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK mdi_child_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK pane_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK subclassed_control_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// "QLWindow" and "QL_Pane", and with MDI "QL_MDIFRAME" and "QL_MDICHILD".
void register_runtime_window_classes(bool mdi);

}  // namespace ql
