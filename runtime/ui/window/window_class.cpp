// The Window class (and Applet, Dialog): its layout, property table, and the entry points of window
// positions, colours, backdrop, title and visibility.
#include "objects/class_registry.h"
#include "objects/objects.h"
#include "objects/value_types.h"
#include "quillet/graphics.h"
#include "quillet/objects.h"
#include "quillet/windows.h"
#include "ui/events/window_events.h"
#include "ui/graphics/graphics.h"
#include "ui/panes/pane_state.h"
#include "ui/panes/positions.h"
#include "ui/ui_classes.h"
#include "ui/window/control_table.h"
#include "ui/window/view_window.h"
#include "ui/window/window_object.h"
#include "values/string.h"

namespace ql {

namespace {

void destroy_window(QlObject* object, ClassObject*) {
  WindowFields* w = as_window_fields(object);
  string_release(w->title);
  string_release(w->name);
  string_release(w->balloon_help);
  string_release(w->accepted_file_types);
  w->accepted_file_types = nullptr;
  release_object(w->backdrop);
  release_object(w->graphics);
  delete w->controls;
  w->title = w->name = w->balloon_help = nullptr;
  w->backdrop = w->graphics = nullptr;
  w->controls = nullptr;
}

}  // namespace

void define_window_classes() {
  ClassObject* window = define_builtin_class("Window", nullptr, sizeof(WindowObject));
  define_builtin_class("Applet", window, sizeof(WindowObject));
  define_builtin_class("Dialog", window, sizeof(WindowObject));
  window->destructor = destroy_window;
  window->properties.clear();
  using namespace window_events;
  declare_events(window, {&kOpen, &kClose, &kCancelClose, &kPaint, &kMouseDown, &kMouseDrag, &kMouseUp,
                          &kMouseMove, &kMouseExit, &kKeyDown, &kActivate, &kDeactivate, &kMoved, &kResized,
                          &kDropObject, &kEnableMenuItems});
  add_string_field(window, "Name", offsetof(WindowFields, name));
  add_int32_field(window, "Frame", offsetof(WindowFields, frame));
  add_property(window, "HasBackColor", &kBooleanType, code_of(int8Getter), code_of(windowHasBackColorSetter),
               offsetof(WindowFields, has_back_color));
  add_property(window, "BackColor", &kColorType, code_of(windowBackColorGetter),
               code_of(windowBackColorSetter));
  add_property(window, "Backdrop", builtin_class("Picture"), code_of(objGetter),
               code_of(windowBackdropSetter), offsetof(WindowFields, backdrop));
  add_property(window, "Title", &kStringType, code_of(windowTitleGetter), code_of(windowTitleSetter));
  add_property(window, "Visible", &kBooleanType, code_of(int8Getter), code_of(WindowVisibleSetter),
               offsetof(WindowFields, visible));
  add_bool_field(window, "CloseBox", offsetof(WindowFields, close_box));
  add_bool_field(window, "GrowIcon", offsetof(WindowFields, grow_icon));
  add_bool_field(window, "ZoomIcon", offsetof(WindowFields, zoom_icon));
  add_string_field(window, "BalloonHelp", offsetof(WindowFields, balloon_help));
  add_int32_field(window, "MacProcID", offsetof(WindowFields, mac_proc_id));
  add_int32_field(window, "Placement", offsetof(WindowFields, placement));
  const char* const positions[] = {"Left", "Top", "Width", "Height"};
  for (intptr_t which = 0; which < 4; ++which)
    add_property(window, positions[which], &kIntegerType, code_of(windowPosGetter), code_of(windowPosSetter),
                 which);
  add_int16_field(window, "MinWidth", offsetof(WindowFields, min_width));
  add_int16_field(window, "MinHeight", offsetof(WindowFields, min_height));
  add_int16_field(window, "MaxWidth", offsetof(WindowFields, max_width));
  add_int16_field(window, "MaxHeight", offsetof(WindowFields, max_height));
  add_property(window, "Graphics", builtin_class("Graphics"), code_of(windowGraphicsGetter), 0);
  add_method(window, "Refresh", code_of(formRefresh));
  add_method(window, "RefreshRect", code_of(formRefreshRect));
  // Show, Hide, Close and ShowModal belong to the event loop above: the application layer adds them.
  add_method(window, "AcceptTextDrop", code_of(windowAcceptTextDrop));
  add_method(window, "AcceptFileDrop", code_of(windowAcceptFileDrop));
}

}  // namespace ql

using ql::as_window_fields;

QL_API int32_t windowPosGetter(QlObject* window, int32_t which) {
  if (!window) return 0;
  return ql::rect_position(as_window_fields(window)->bounds, which);
}

QL_API void windowPosSetter(QlObject* window, int32_t which, int32_t value) {
  if (!window) return;
  ql::WindowFields* w = as_window_fields(window);
  if (!ql::change_position(w->bounds, which, value)) return;
  ql::ViewWindow* pane = w->pane;
  if (!pane) return;
  ql::Rect16& wanted = pane->wanted;
  if (which == kQlLeft || which == kQlTop) {
    int32_t dx = w->bounds.left - wanted.left, dy = w->bounds.top - wanted.top;
    if (which == kQlLeft) dy = 0;
    if (which == kQlTop) dx = 0;
    wanted = {ql::clamp16(wanted.top + dy), ql::clamp16(wanted.left + dx), ql::clamp16(wanted.bottom + dy),
              ql::clamp16(wanted.right + dx)};
    pane->moved();
  } else {
    if (which == kQlWidth) wanted.right = ql::clamp16(wanted.left + w->bounds.width());
    if (which == kQlHeight) wanted.bottom = ql::clamp16(wanted.top + w->bounds.height());
    pane->resize_pending = true;
  }
}

QL_API int32_t windowBackColorGetter(QlObject* window, intptr_t) {
  return window ? static_cast<int32_t>(as_window_fields(window)->back_color) : 0;
}

namespace {

// The window's erase colour follows its fields.
void apply_back_color(QlObject* window) {
  ql::WindowFields* w = as_window_fields(window);
  if (!w->pane) return;
  w->pane->has_back_color = w->has_back_color;
  w->pane->back_colorref = w->has_back_color ? ql::colorref_from_rgb(w->back_color) : 0xFFFFFF;
  InvalidateRect(w->pane->hwnd(), nullptr, TRUE);
}

}  // namespace

QL_API void windowBackColorSetter(QlObject* window, intptr_t, int32_t colour) {
  if (!window) return;
  as_window_fields(window)->back_color = static_cast<uint32_t>(colour);
  if (as_window_fields(window)->has_back_color) apply_back_color(window);
}

QL_API void windowHasBackColorSetter(QlObject* window, intptr_t, bool has_back_colour) {
  if (!window) return;
  as_window_fields(window)->has_back_color = has_back_colour;
  apply_back_color(window);
}

QL_API void windowBackdropSetter(QlObject* window, intptr_t, QlObject* picture) {
  if (!window) return;
  ql::WindowFields* w = as_window_fields(window);
  ql::retain_object(picture);
  ql::release_object(w->backdrop);
  w->backdrop = picture;
  if (w->pane) InvalidateRect(w->pane->hwnd(), nullptr, TRUE);
}

QL_API void windowTitleSetter(QlObject* window, intptr_t, QlString title) {
  if (!window) return;
  ql::WindowFields* w = as_window_fields(window);
  ql::string_assign(w->title, title);
  if (w->pane) SetWindowTextA(w->pane->hwnd(), ql::string_cview(title));
}

QL_API QlString windowTitleGetter(QlObject* window, intptr_t) {
  if (!window) return nullptr;
  QlString title = as_window_fields(window)->title;
  ql::string_retain(title);
  return title;
}

QL_API void WindowVisibleSetter(QlObject* window, intptr_t, bool visible) {
  if (!window) return;
  ql::WindowFields* w = as_window_fields(window);
  w->visible = visible;
  if (!w->pane) return;
  if (visible) {
    w->pane->show();
  } else {
    w->pane->hide();
  }
}

// The window clips its children when it paints, so a refresh names them explicitly: what a refresh of the
// whole window shows must include every control on it, as for a window whose children it paints over.
QL_API void formRefresh(QlObject* window) {
  if (!window || !as_window_fields(window)->pane) return;
  ql::WindowPane* pane = as_window_fields(window)->pane;
  if (pane->no_redraw || !pane->hwnd()) return;
  RedrawWindow(pane->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

QL_API void formRefreshRect(QlObject* window, int32_t x, int32_t y, int32_t width, int32_t height) {
  if (!window || !as_window_fields(window)->pane) return;
  HWND hwnd = as_window_fields(window)->pane->hwnd();
  RECT r = {x, y, x + width, y + height};
  RedrawWindow(hwnd, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

QL_API bool IsCMMClick(void) { return ql::contextual_click(); }
