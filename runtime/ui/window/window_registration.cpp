// Registering the runtime's window classes, and the MDI frame.
#include "ui/window/window_registration.h"
#include "ui/events/app_hooks.h"
#include "ui/ui_steps.h"
#include "ui/window/window_pane.h"

namespace ql {

namespace {

struct MdiWindows {
  HWND frame = nullptr;
  HWND client = nullptr;
};

MdiWindows& mdi() {
  static MdiWindows windows;
  return windows;
}

// The program's first icon (id 1), the one Explorer shows for the file, at the size of `metric`; null, and
// so Windows' default icon, for a program without one.
HICON program_icon(int metric) {
  int size = GetSystemMetrics(metric);
  return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, size, size,
                                       LR_DEFAULTCOLOR | LR_SHARED));
}

void register_class(const char* name, WNDPROC procedure, HCURSOR cursor, HBRUSH background) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = procedure;
  wc.cbWndExtra = sizeof(void*);
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = program_icon(SM_CXICON);
  wc.hIconSm = program_icon(SM_CXSMICON);
  wc.hCursor = cursor;
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  RegisterClassExA(&wc);
}

constexpr UINT kFirstMdiChild = 3000;

LRESULT CALLBACK mdi_frame_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE: {
      CLIENTCREATESTRUCT client = {nullptr, kFirstMdiChild};
      mdi().client = CreateWindowExA(0, "MDICLIENT", nullptr, 0x52300000, 0, 0, 0, 0, hwnd, nullptr,
                                     GetModuleHandleA(nullptr), &client);
      return 0;
    }
    case WM_CLOSE:
      if (app_hooks().quit_requested && app_hooks().quit_requested()) return 0;
      return 0;
    case WM_COMMAND:
      if (lparam == 0 && app_hooks().menu_command) app_hooks().menu_command(LOWORD(wparam));
      break;
    case WM_INITMENU:
      if (app_hooks().menu_enabling) app_hooks().menu_enabling();
      return 0;
    case WM_MOUSEACTIVATE:
      if (modal_window_up()) {
        MessageBeep(0);
        return MA_NOACTIVATEANDEAT;
      }
      break;
    case WM_DESTROY:
      mdi().frame = nullptr;
      mdi().client = nullptr;
      break;
    default:
      break;
  }
  return DefFrameProcA(hwnd, mdi().client, message, wparam, lparam);
}

}  // namespace

void register_runtime_window_classes(bool mdi_application) {
  register_class("QLWindow", window_procedure, nullptr, nullptr);
  register_class("QL_Pane", pane_procedure, nullptr, nullptr);
  if (mdi_application) {
    register_class("QL_MDIFRAME", mdi_frame_procedure, LoadCursorA(nullptr, IDC_ARROW),
                   reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1));
    register_class("QL_MDICHILD", mdi_child_procedure, nullptr, nullptr);
  }
}

void register_window_classes() { register_runtime_window_classes(false); }

void create_mdi_frame(const std::string& title) {
  register_runtime_window_classes(true);
  HMENU menu = app_hooks().menu_bar ? static_cast<HMENU>(app_hooks().menu_bar()) : nullptr;
  mdi().frame =
      CreateWindowExA(0, "QL_MDIFRAME", title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
                      CW_USEDEFAULT, 640, 480, nullptr, menu, GetModuleHandleA(nullptr), nullptr);
}

HWND mdi_frame() { return mdi().frame; }
HWND mdi_client() { return mdi().client; }

}  // namespace ql
