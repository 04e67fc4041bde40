// The window procedure of "QL_Pane" children, and of native controls a pane subclassed: paints, erases and
// passes mouse messages on in window content coordinates.
#include <cstdlib>

#include "ui/events/key_routing.h"
#include "ui/panes/pane_state.h"
#include "ui/window/window_pane.h"
#include "ui/window/window_registration.h"

namespace ql {

namespace {

// Client coordinates of the pane's own window, offset into its window's content coordinates.
POINT window_point(const Pane* pane, LPARAM lparam) {
  return {static_cast<short>(LOWORD(lparam)) + pane->bounds.left,
          static_cast<short>(HIWORD(lparam)) + pane->bounds.top};
}

void erase_pane(Pane* pane, HWND hwnd, HDC dc) {
  RECT r;
  GetClientRect(hwnd, &r);
  WindowPane* window = pane->window();
  bool has_colour = window && window->has_back_color;
  HBRUSH brush = has_colour ? CreateSolidBrush(window->back_colorref) : GetSysColorBrush(COLOR_BTNFACE);
  FillRect(dc, &r, brush);
  if (has_colour) DeleteObject(brush);
}

}  // namespace

LRESULT CALLBACK pane_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* pane = reinterpret_cast<Pane*>(GetWindowLongPtrA(hwnd, 0));
  if (!pane) return DefWindowProcA(hwnd, message, wparam, lparam);
  MessageScope scope;
  record_message(hwnd, message, wparam, lparam);
  switch (message) {
    case WM_PAINT:
      if (pane->no_redraw) break;
      pane->paint();
      return 0;
    case WM_ERASEBKGND:
      if (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TRANSPARENT) break;
      erase_pane(pane, hwnd, reinterpret_cast<HDC>(wparam));
      return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      POINT p = window_point(pane, lparam);
      pane->mouse_down(p.x, p.y, mouse_modifiers(wparam));
      return 0;
    }
    case WM_RBUTTONDOWN: {
      POINT p = window_point(pane, lparam);
      pane->contextual_mouse_down(p.x, p.y, mouse_modifiers(wparam));
      return 0;
    }
    case WM_MOUSEMOVE: {
      POINT p = window_point(pane, lparam);
      pane->mouse_move(p.x, p.y);
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      if (Pane* tracking = tracking_pane()) {
        POINT p = {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
        HWND target =
            tracking->hwnd() ? tracking->hwnd() : (tracking->window() ? tracking->window()->hwnd() : hwnd);
        MapWindowPoints(hwnd, target, &p, 1);
        if (tracking->hwnd()) {
          p.x += tracking->bounds.left;
          p.y += tracking->bounds.top;
        }
        stop_tracking();
        tracking->mouse_up(p.x, p.y);
      }
      return 0;
    case WM_MOUSEWHEEL: {
      // The wheel scrolls as the scroll bar's arrows do, the system's number of lines per notch.
      UINT lines = 3;
      SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
      int notches = GET_WHEEL_DELTA_WPARAM(wparam) / WHEEL_DELTA;
      for (int i = 0; i < std::abs(notches) * static_cast<int>(lines); ++i)
        pane->vertical_scroll(notches > 0 ? SB_LINEUP : SB_LINEDOWN);
      return 0;
    }
    case WM_KEYDOWN:
      if (int32_t key = key_code_for_virtual_key(wparam)) {
        deliver_key(pane, key);
        return 0;
      }
      break;
    case WM_CHAR:
      deliver_key(pane, static_cast<uint8_t>(wparam));
      return 0;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_DRAWITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
      // A native control whose platform parent is this pane: its window answers for it.
      if (pane->window() && pane->window()->hwnd())
        return window_procedure(pane->window()->hwnd(), message, wparam, lparam);
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrA(hwnd, 0, 0);
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK subclassed_control_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* pane = static_cast<Pane*>(GetPropA(hwnd, kInstanceProperty));
  if (!pane) return DefWindowProcA(hwnd, message, wparam, lparam);
  MessageScope scope;
  return pane->window_procedure(message, wparam, lparam);
}

}  // namespace ql
