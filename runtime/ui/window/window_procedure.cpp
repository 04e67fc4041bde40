// The window procedure of "QLWindow" (and, through DefMDIChildProcA, of MDI children): messages for native
// controls go to their panes, the window's own to its pane.
#include "ui/events/app_hooks.h"
#include "ui/events/key_routing.h"
#include "ui/panes/pane_state.h"
#include "ui/window/window_pane.h"
#include "ui/window/window_registration.h"

namespace ql {

namespace {

POINT client_point(LPARAM lparam) {
  return {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
}

// Messages aimed at a native control, answered by its pane; false when the message is not one of them.
bool route_to_control(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND: {
      if (lparam == 0) return false;  // a menu command
      Pane* pane = pane_from_hwnd(reinterpret_cast<HWND>(lparam));
      if (pane) pane->command(HIWORD(wparam));
      result = 0;
      return true;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lparam);
      Pane* pane = header ? pane_from_hwnd(header->hwndFrom) : nullptr;
      result = pane ? pane->notify(header) : 0;
      return true;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
      Pane* pane = lparam ? pane_from_hwnd(reinterpret_cast<HWND>(lparam)) : nullptr;
      if (!pane) return false;
      if (message == WM_HSCROLL)
        pane->horizontal_scroll(LOWORD(wparam));
      else
        pane->vertical_scroll(LOWORD(wparam));
      result = 0;
      return true;
    }
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lparam);
      if (!item || item->CtlType != ODT_LISTBOX) return false;
      if (Pane* pane = pane_from_hwnd(item->hwndItem)) pane->draw_item(item);
      result = TRUE;
      return true;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      Pane* pane = pane_from_hwnd(reinterpret_cast<HWND>(lparam));
      HBRUSH brush = pane ? pane->control_color(reinterpret_cast<HDC>(wparam)) : nullptr;
      if (!brush) return false;
      result = reinterpret_cast<LRESULT>(brush);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace

LRESULT WindowPane::handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_MOVE:
      wanted = client_rect();
      moved();
      return 0;
    case WM_SIZE:
      wanted = client_rect();
      bounds = {0, 0, clamp16(wanted.height()), clamp16(wanted.width())};
      width = bounds.width();
      height = bounds.height();
      resized();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        deactivate();
      } else {
        activate();
      }
      return 0;
    case WM_MDIACTIVATE:
      if (reinterpret_cast<HWND>(lparam) == hwnd_) {
        activate();
      } else if (reinterpret_cast<HWND>(wparam) == hwnd_) {
        deactivate();
      }
      return 0;
    case WM_PAINT:
      paint_window();
      return 0;
    case WM_CLOSE:
      close_request();  // may destroy this pane
      return 0;
    case WM_ERASEBKGND:
      erase(reinterpret_cast<HDC>(wparam));
      return 1;
    case WM_ACTIVATEAPP:
      if (app_hooks().application_active) app_hooks().application_active(wparam != 0);
      return 0;
    case WM_SETCURSOR: {
      if (LOWORD(lparam) != HTCLIENT) break;
      POINT p;
      GetCursorPos(&p);
      ScreenToClient(hwnd_, &p);
      bool set = false;
      if (Pane* tracking = tracking_pane()) {
        set = tracking->adjust_cursor(p.x, p.y);
      } else if (auto cursor = static_cast<HCURSOR>(
                     app_hooks().application_cursor ? app_hooks().application_cursor() : nullptr)) {
        SetCursor(cursor);
        set = true;
      } else {
        for (Pane* child = first_child(); child; child = child->next_sibling()) {
          if (child->visible() && child->bounds.contains(p.x, p.y) && child->adjust_cursor(p.x, p.y))
            set = true;
        }
      }
      if (!set) SetCursor(LoadCursorA(nullptr, IDC_ARROW));
      return TRUE;
    }
    case WM_MOUSEACTIVATE:
      if (modal_window_up() && !frame_is_modal(frame_type)) {
        MessageBeep(0);
        return MA_NOACTIVATEANDEAT;
      }
      break;
    case WM_INITMENU:
      if (app_hooks().menu_enabling) app_hooks().menu_enabling();
      return 0;
    case WM_ENTERIDLE:
      if (app_hooks().idle) app_hooks().idle();
      return 0;
    case WM_COMMAND:
      if (lparam == 0 && app_hooks().menu_command) {
        app_hooks().menu_command(LOWORD(wparam));
        return 0;
      }
      break;
    case WM_KEYDOWN:
      if (int32_t key = key_code_for_virtual_key(wparam)) {
        deliver_key(key_target(), key);  // may close this window
        return 0;
      }
      break;
    case WM_CHAR:
      deliver_key(key_target(), static_cast<uint8_t>(wparam));
      return 0;
    case WM_LBUTTONDOWN: {
      POINT p = client_point(lparam);
      mouse_down(p.x, p.y, mouse_modifiers(wparam));
      return 0;
    }
    case WM_RBUTTONDOWN: {
      POINT p = client_point(lparam);
      contextual_mouse_down(p.x, p.y, mouse_modifiers(wparam));
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      if (Pane* tracking = tracking_pane()) {
        POINT p = client_point(lparam);
        MapWindowPoints(hwnd_, tracking->hwnd() ? tracking->hwnd() : hwnd_, &p, 1);
        stop_tracking();
        tracking->mouse_up(p.x + (tracking->hwnd() ? tracking->bounds.left : 0),
                           p.y + (tracking->hwnd() ? tracking->bounds.top : 0));
      }
      return 0;
    case WM_GETMINMAXINFO:
      size_limits(reinterpret_cast<MINMAXINFO*>(lparam));
      return 0;
    case WM_QUERYNEWPALETTE:
      return 1;
    default:
      break;
  }
  return mdi_child_ ? DefMDIChildProcA(hwnd_, message, wparam, lparam)
                    : DefWindowProcA(hwnd_, message, wparam, lparam);
}

namespace {

LRESULT dispatch(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, bool mdi_child) {
  MessageScope scope;
  record_message(hwnd, message, wparam, lparam);
  LRESULT result = 0;
  if (route_to_control(message, wparam, lparam, result)) return result;
  auto* window = reinterpret_cast<WindowPane*>(GetWindowLongPtrA(hwnd, 0));
  if (window && window->hwnd() == hwnd) return window->handle(message, wparam, lparam);
  return mdi_child ? DefMDIChildProcA(hwnd, message, wparam, lparam)
                   : DefWindowProcA(hwnd, message, wparam, lparam);
}

}  // namespace

LRESULT CALLBACK window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return dispatch(hwnd, message, wparam, lparam, false);
}

LRESULT CALLBACK mdi_child_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return dispatch(hwnd, message, wparam, lparam, true);
}

}  // namespace ql
