// The callbacks through which plug-ins reach their controls, panes, drawing and pictures.
#include "objects/class_registry.h"
#include "objects/objects.h"
#include "plugins/plugin_pane.h"
#include "quillet/graphics.h"
#include "quillet/plugins.h"
#include "quillet/windows.h"
#include "ui/controls/control_object.h"
#include "ui/graphics/graphics.h"
#include "ui/graphics/graphics_state.h"
#include "ui/graphics/picture.h"
#include "ui/ui_steps.h"
#include "ui/window/window_pane.h"

namespace {

bool is_control(QlObject* object) {
  static const ql::ClassObject* rect_control = ql::builtin_class("RectControl");
  return object && ql::object_isa(object, rect_control);
}

bool is_picture(QlObject* object) {
  static const ql::ClassObject* picture = ql::builtin_class("Picture");
  return object && ql::object_isa(object, picture);
}

ql::Pane* pane_of(QlObject* control) {
  return is_control(control) ? ql::as_control_fields(control)->pane : nullptr;
}

}  // namespace

QL_API void GetControlBounds(QlObject* control, QlPluginRect* bounds) {
  if (!bounds) return;
  *bounds = {};
  if (!is_control(control)) return;
  const ql::Rect16& r = ql::as_control_fields(control)->bounds;
  *bounds = {r.top, r.left, r.bottom, r.right};
}

QL_API bool GetControlVisible(QlObject* control) {
  return is_control(control) && controlVisibleGetter(control, 0);
}

QL_API void SetControlVisible(QlObject* control, bool visible) {
  if (is_control(control)) ControlVisibleSetter(control, 0, visible);
}

QL_API QlObject* QUILGetControlGraphics(QlObject* control) {
  ql::Pane* pane = pane_of(control);
  return pane ? ql::new_pane_graphics(pane) : nullptr;
}

QL_API void* QUILGraphicsDC(QlObject* graphics) {
  ql::GraphicsState* state = ql::graphics_state_of(graphics);
  return state ? state->begin(false) : nullptr;
}

QL_API void QUILInvalidateControl(QlObject* control) {
  if (ql::Pane* pane = pane_of(control)) pane->invalidate();
}

QL_API void QUILInvalidateControlRect(QlObject* control, int32_t left, int32_t top, int32_t right,
                                      int32_t bottom) {
  ql::Pane* pane = pane_of(control);
  if (!pane || pane->no_redraw) return;
  RECT area = {left, top, right, bottom};
  if (auto* plugin_pane = dynamic_cast<ql::PluginPane*>(pane)) {
    plugin_pane->invalidate_area(area);
  } else if (pane->hwnd()) {
    OffsetRect(&area, -pane->bounds.left, -pane->bounds.top);
    InvalidateRect(pane->hwnd(), &area, TRUE);
  } else if (pane->window() && pane->window()->hwnd()) {
    InvalidateRect(pane->window()->hwnd(), &area, TRUE);
  }
}

QL_API int32_t QUILGetWin32Charset(void) { return ql::ui_settings().font_charset; }

QL_API QlObject* getControlWindow(QlObject* control) {
  return is_control(control) ? ql::control_window(control) : nullptr;
}

QL_API void* GetControlHWND(QlObject* control) {
  ql::Pane* pane = pane_of(control);
  if (!pane) return nullptr;
  if (pane->hwnd()) return pane->hwnd();
  return pane->window() ? pane->window()->hwnd() : nullptr;
}

QL_API bool lockPictureDescription(QlObject* picture, QlPluginPictureDescription* description) {
  if (!is_picture(picture) || !description) return false;
  ql::retain_object(picture);
  description->width = pictureWidthGetter(picture, 0);
  description->height = pictureHeightGetter(picture, 0);
  return true;
}

QL_API void unlockPictureDescription(QlObject* picture) {
  if (is_picture(picture)) ql::release_object(picture);
}

QL_API void drawPicturePrimitive(QlObject* graphics, QlObject* picture, int32_t x, int32_t y) {
  ql::GraphicsState* state = ql::graphics_state_of(graphics);
  if (!state || !state->pane() || !is_picture(picture)) return;
  ql::NativePicture* native = ql::native_picture_of(picture);
  if (!native) return;
  // Inside the plug-in's own drawing: its DC, clip and font stay as they are for what it draws next.
  HDC dc = state->begin(false);
  if (!dc) return;
  auto width = static_cast<int32_t>(native->record.width),
       height = static_cast<int32_t>(native->record.height);
  ql::draw_native_picture(dc, *native, ql::as_picture_fields(picture)->transparent != 0,
                          {x, y, width, height}, {0, 0, width, height});
}
