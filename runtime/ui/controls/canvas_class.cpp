// The Canvas class: its layout, events, properties and CreatePane hook, and the backdrop entry points.
#include "objects/class_registry.h"
#include "objects/objects.h"
#include "objects/value_types.h"
#include "quillet/graphics.h"
#include "quillet/objects.h"
#include "ui/controls/canvas_object.h"
#include "ui/controls/canvas_pane.h"
#include "ui/events/window_events.h"
#include "ui/panes/pane.h"
#include "ui/ui_classes.h"

namespace ql {

namespace {

void destroy_canvas(QlObject* object, ClassObject*) {
  CanvasFields* c = as_canvas_fields(object);
  release_object(c->backdrop);
  release_object(c->graphics);
  c->backdrop = c->graphics = nullptr;
}

}  // namespace

void define_canvas_class() {
  ClassObject* cls = define_builtin_class("Canvas", builtin_class("RectControl"), sizeof(CanvasObject));
  cls->destructor = destroy_canvas;
  cls->properties.clear();
  cls->hooks.clear();
  using namespace canvas_events;
  declare_events(cls, {&kPaint, &kMouseDown, &kMouseDrag, &kMouseUp});
  add_property(cls, "Backdrop", builtin_class("Picture"), code_of(objGetter), code_of(canvasBackdropSetter),
               offsetof(CanvasFields, backdrop));
  add_property(cls, "Graphics", builtin_class("Graphics"), code_of(canvasGraphicsGetter), 0);
  // Window descriptions have no other way to ask for a canvas that lets what lies below show through.
  add_bool_field(cls, "Transparent", offsetof(CanvasFields, transparent));
  add_hook(cls, "CreatePane", code_of(create_canvas_pane));
}

}  // namespace ql

QL_API QlObject* canvasBackdropGetter(QlObject* canvas, intptr_t) {
  if (!canvas) return nullptr;
  QlObject* backdrop = ql::as_canvas_fields(canvas)->backdrop;
  ql::retain_object(backdrop);
  return backdrop;
}

QL_API void canvasBackdropSetter(QlObject* canvas, intptr_t, QlObject* picture) {
  if (!canvas) return;
  ql::CanvasFields* c = ql::as_canvas_fields(canvas);
  ql::retain_object(picture);
  ql::release_object(c->backdrop);
  c->backdrop = picture;
  if (c->control.pane) c->control.pane->invalidate();
}
