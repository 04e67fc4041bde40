// The base pane: the tree, its platform window, DCs, bounds, visibility and the state messages.
#include "ui/panes/pane.h"

#include "ui/events/event_messages.h"
#include "ui/graphics/graphics.h"
#include "ui/panes/pane_state.h"
#include "values/invariant.h"
#include "values/string.h"

namespace ql {

const char kInstanceProperty[] = "QLInstance";

int32_t mouse_modifiers(WPARAM key_state) {
  int32_t modifiers = 0;
  if (key_state & MK_CONTROL) modifiers |= kModifierControl;
  if (key_state & MK_SHIFT) modifiers |= kModifierShift;
  return modifiers;
}

namespace {

// Windows of the runtime's own classes keep their pane in window long 0; a system control's extra bytes are
// its own.
bool runtime_class_window(HWND hwnd) {
  char name[32];
  if (!GetClassNameA(hwnd, name, sizeof name)) return false;
  return lstrcmpiA(name, "QLWindow") == 0 || lstrcmpiA(name, "QL_Pane") == 0 ||
         lstrcmpiA(name, "QL_MDICHILD") == 0;
}

}  // namespace

Pane* pane_from_hwnd(HWND hwnd) {
  if (!hwnd) return nullptr;
  if (auto* pane = static_cast<Pane*>(GetPropA(hwnd, kInstanceProperty))) return pane;
  if (!runtime_class_window(hwnd)) return nullptr;
  return reinterpret_cast<Pane*>(GetWindowLongPtrA(hwnd, 0));
}

Pane::Pane(WindowPane* window, const Rect16& rect)
    : bounds(rect),
      width(rect.width()),
      height(rect.height()),
      font_name(string_from_cstr("System")),
      window_(window) {}

Pane::~Pane() {
  forget_pane(this);
  if (window_) forget_window_focus(window_, this);
  forget_pane_graphics(this);
  remove_idle_pane(this);
  if (owner_) owner_->remove_child(this);
  for (Pane* child = first_child_; child; child = child->next_sibling_) child->owner_ = nullptr;
  if (drawing_dc_) ReleaseDC(hwnd_ ? hwnd_ : (window_ ? window_hwnd(window_) : nullptr), drawing_dc_);
  if (hwnd_ && IsWindow(hwnd_)) {
    HWND hwnd = hwnd_;
    hwnd_ = nullptr;
    RemovePropA(hwnd, kInstanceProperty);
    if (runtime_class_window(hwnd)) SetWindowLongPtrA(hwnd, 0, 0);
    DestroyWindow(hwnd);
  }
  string_release(font_name);
}

void Pane::begin_drawing() { set_current_port(this); }
void Pane::set_origin(int32_t, int32_t) {}
void Pane::end_drawing() {
  if (current_port() == this) set_current_port(nullptr);
}
void Pane::draw() {}
bool Pane::accepts_drop(int32_t) { return false; }
bool Pane::mouse_down(int32_t, int32_t, int32_t) { return false; }

bool Pane::contextual_mouse_down(int32_t x, int32_t y, int32_t modifiers) {
  // The last in child-list order is the topmost.
  Pane* children[256];
  int count = 0;
  for (Pane* child = first_child_; child && count < 256; child = child->next_sibling_)
    children[count++] = child;
  for (int i = count - 1; i >= 0; --i) {
    Pane* child = children[i];
    if (child->visible() && child->bounds.contains(x, y) && child->contextual_mouse_down(x, y, modifiers))
      return true;
  }
  return false;
}

void Pane::mouse_drag(int32_t, int32_t) {}
void Pane::mouse_move(int32_t, int32_t) {}
void Pane::mouse_up(int32_t, int32_t) {}
QlObject* Pane::language_object() { return nullptr; }
bool Pane::can_take_focus() { return false; }
HBRUSH Pane::control_color(HDC) { return nullptr; }
void Pane::drop_object(QlObject*) {}
void Pane::lose_focus() {}
void Pane::gain_focus() {}

void Pane::set_bounds(const Rect16& rect, bool redraw) {
  if (rect == bounds) return;
  if (redraw) invalidate();
  bounds = rect;
  width = rect.width();
  height = rect.height();
  if (redraw) invalidate();
  if (hwnd_) {
    RECT r = rect_in_parent();
    MoveWindow(hwnd_, r.left, r.top, r.right - r.left, r.bottom - r.top, redraw);
  }
}

bool Pane::key_down(int32_t) { return false; }

void Pane::state_message(int32_t code) {
  for (Pane* child = first_child_; child; child = child->next_sibling_) child->state_message(code);
  switch (code) {
    case kStateEnable:
      set_enabled(true, true);
      break;
    case kStateDisable:
      set_enabled(false, true);
      break;
    case kStateShow:
      set_shown(true);
      break;
    case kStateHide:
      set_shown(false);
      break;
    default:
      break;
  }
}

void Pane::idle() {}
bool Pane::adjust_cursor(int32_t, int32_t) { return false; }

void Pane::invalidate() {
  if (no_redraw) return;
  if (hwnd_) {
    InvalidateRect(hwnd_, nullptr, TRUE);
  } else if (window_ && window_hwnd(window_)) {
    RECT r = {bounds.left, bounds.top, bounds.right, bounds.bottom};
    InvalidateRect(window_hwnd(window_), &r, TRUE);
  }
}

void Pane::close() {
  closed = true;
  for (Pane* child = first_child_; child; child = child->next_sibling_) child->close();
}

void Pane::set_enabled(bool enabled, bool redraw) {
  enabled_ = enabled;
  if (hwnd_) EnableWindow(hwnd_, enabled);
  if (redraw) invalidate();
}

void Pane::set_shown(bool shown) {
  shown_ = shown;
  for (Pane* child = first_child_; child; child = child->next_sibling_) child->set_parent_shown(visible());
  show_native(visible());
}

void Pane::set_parent_shown(bool shown) {
  parent_shown_ = shown;
  for (Pane* child = first_child_; child; child = child->next_sibling_) child->set_parent_shown(visible());
  show_native(visible());
}

void Pane::show_native(bool show) {
  if (hwnd_) ShowWindow(hwnd_, show ? SW_SHOW : SW_HIDE);
}

bool Pane::command(int32_t) { return false; }
LRESULT Pane::notify(NMHDR*) { return 0; }
void Pane::horizontal_scroll(int32_t) {}
void Pane::vertical_scroll(int32_t) {}
void Pane::draw_item(DRAWITEMSTRUCT*) {}
LRESULT Pane::window_procedure(UINT, WPARAM, LPARAM) { return 0; }

void Pane::check_children() const {
  QL_IF_CHECKING_INVARIANTS(
      size_t steps = 0; for (const Pane* child = first_child_; child; child = child->next_sibling_) {
        QL_INVARIANT(child->owner_ == this, "every child in a pane's list has that pane as its owner");
        QL_INVARIANT(child != this, "a pane is not its own child");
        QL_INVARIANT(++steps <= 100000, "a pane's child list ends");
      })
}

void Pane::append_child(Pane* child) {
  QL_INVARIANT(!child->owner_, "a pane has one owner");
  child->owner_ = this;
  child->next_sibling_ = nullptr;
  Pane** link = &first_child_;
  while (*link) {
    QL_INVARIANT(*link != child, "a pane is in its owner's list once");
    link = &(*link)->next_sibling_;
  }
  *link = child;
  check_children();
}

void Pane::remove_child(Pane* child) {
  for (Pane** link = &first_child_; *link; link = &(*link)->next_sibling_) {
    if (*link == child) {
      *link = child->next_sibling_;
      child->next_sibling_ = nullptr;
      child->owner_ = nullptr;
      check_children();
      return;
    }
  }
  QL_INVARIANT(false, "a pane leaves the list of the owner it names");
}

namespace {

// The pane whose platform window becomes the parent of a new child with these bounds: a visible sibling
// with the same key whose bounds hold them, else none (the window itself).
Pane* parent_pane_for(const Pane* pane) {
  if (!pane->owner()) return nullptr;
  for (Pane* sibling = pane->owner()->first_child(); sibling; sibling = sibling->next_sibling()) {
    if (sibling == pane) break;
    if (sibling->hwnd() && sibling->visible() && sibling->key == pane->key &&
        sibling->bounds.encloses(pane->bounds))
      return sibling;
  }
  return nullptr;
}

}  // namespace

RECT Pane::rect_in_parent(int32_t extra_height) const {
  RECT r = {bounds.left, bounds.top, bounds.right, bounds.bottom + extra_height};
  HWND parent = hwnd_ ? GetParent(hwnd_) : nullptr;
  Pane* parent_pane = parent ? pane_from_hwnd(parent) : nullptr;
  if (parent_pane && !(window_ && parent == window_hwnd(window_)))
    OffsetRect(&r, -parent_pane->bounds.left, -parent_pane->bounds.top);
  return r;
}

bool Pane::create_native(const char* class_name, DWORD style, DWORD ex_style, const char* caption,
                         int32_t extra_height) {
  if (!window_ || !window_hwnd(window_)) return false;
  Pane* parent_pane = parent_pane_for(this);
  HWND parent = parent_pane ? parent_pane->hwnd() : window_hwnd(window_);
  RECT r = {bounds.left, bounds.top, bounds.right, bounds.bottom + extra_height};
  if (parent_pane) OffsetRect(&r, -parent_pane->bounds.left, -parent_pane->bounds.top);
  hwnd_ = CreateWindowExA(ex_style, class_name, caption ? caption : "", WS_CHILD | WS_VISIBLE | style, r.left,
                          r.top, r.right - r.left, r.bottom - r.top, parent, nullptr,
                          GetModuleHandleA(nullptr), this);
  return hwnd_ != nullptr;
}

HDC Pane::acquire_dc() {
  if (paint_dc_) return paint_dc_;
  if (drawing_dc_) {
    ++drawing_dc_uses_;
    return drawing_dc_;
  }
  HWND hwnd = hwnd_ ? hwnd_ : (window_ ? window_hwnd(window_) : nullptr);
  if (!hwnd) return nullptr;
  drawing_dc_ = GetDC(hwnd);
  if (!drawing_dc_) return nullptr;
  drawing_dc_uses_ = 1;
  if (hwnd_) SetViewportOrgEx(drawing_dc_, -bounds.left, -bounds.top, nullptr);
  SetTextAlign(drawing_dc_, TA_BASELINE);
  return drawing_dc_;
}

void Pane::release_dc(HDC dc) {
  if (!dc || dc == paint_dc_ || dc != drawing_dc_) return;
  if (--drawing_dc_uses_ > 0) return;
  ReleaseDC(hwnd_ ? hwnd_ : window_hwnd(window_), drawing_dc_);
  drawing_dc_ = nullptr;
}

void Pane::paint() {
  if (window_) apply_window_geometry(window_);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  if (!dc) return;
  if (!no_redraw) {
    SetTextAlign(dc, TA_BASELINE);
    SetViewportOrgEx(dc, -bounds.left, -bounds.top, nullptr);
    HDC outer = paint_dc_;
    paint_dc_ = dc;
    draw();
    paint_dc_ = outer;
  }
  EndPaint(hwnd_, &ps);
}

}  // namespace ql
