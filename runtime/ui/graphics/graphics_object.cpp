// The Graphics class: the language object that wraps a graphics state, its property table, and the
// Graphics objects of windows and canvases.
#include "objects/class_registry.h"
#include "objects/objects.h"
#include "objects/value_types.h"
#include "quillet/graphics.h"
#include "ui/controls/canvas_object.h"
#include "ui/graphics/graphics.h"
#include "ui/graphics/graphics_state.h"
#include "ui/graphics/picture.h"
#include "ui/ui_classes.h"
#include "ui/window/view_window.h"
#include "ui/window/window_object.h"
#include "values/fatal.h"

namespace ql {

namespace {

struct GraphicsObject {
  ObjectBase base;
  GraphicsState* state;  // owned
};

ClassObject* graphics_class() {
  static ClassObject* cls = builtin_class("Graphics");
  return cls;
}

void destroy_graphics(QlObject* object, ClassObject*) {
  auto* g = reinterpret_cast<GraphicsObject*>(object);
  delete g->state;
  g->state = nullptr;
}

}  // namespace

// The one Graphics object kept in a window's or canvas's field, made again when the one it holds lost its
// pane (a pane made anew for the same object).
static QlObject* kept_graphics(QlObject*& field, Pane* pane) {
  if (!pane) return nullptr;
  GraphicsState* state = graphics_state_of(field);
  if (!state || state->pane() != pane) {
    release_object(field);
    field = new_pane_graphics(pane);
  }
  retain_object(field);
  return field;
}

namespace {

void define_graphics_class() {
  ClassObject* cls = define_builtin_class("Graphics", nullptr, sizeof(GraphicsObject));
  cls->destructor = destroy_graphics;
  cls->properties.clear();
  cls->methods.clear();
  add_property(cls, "ForeColor", &kColorType, code_of(graphicsForeColorGetter),
               code_of(graphicsForeColorSetter));
  add_property(cls, "TextFont", &kStringType, code_of(graphicsTextFontGetter),
               code_of(graphicsTextFontSetter));
  add_property(cls, "TextSize", &kIntegerType, code_of(graphicsTextSizeGetter),
               code_of(graphicsTextSizeSetter));
  add_property(cls, "Bold", &kBooleanType, code_of(graphicsBoldGetter), code_of(graphicsBoldSetter));
  add_property(cls, "Italic", &kBooleanType, code_of(graphicsItalicGetter), code_of(graphicsItalicSetter));
  add_property(cls, "Underline", &kBooleanType, code_of(graphicsUnderlineGetter),
               code_of(graphicsUnderlineSetter));
  add_property(cls, "PenWidth", &kIntegerType, code_of(graphicsPenWidthGetter),
               code_of(graphicsPenWidthSetter));
  add_property(cls, "PenHeight", &kIntegerType, code_of(graphicsPenHeightGetter),
               code_of(graphicsPenHeightSetter));
  add_property(cls, "Width", &kIntegerType, code_of(graphicsWidthGetter), 0);
  add_property(cls, "Height", &kIntegerType, code_of(graphicsHeightGetter), 0);
  add_method(cls, "DrawLine", code_of(RuntimeGraphicsDrawLine));
  add_method(cls, "FillRect", code_of(RuntimeGraphicsFillRect));
  add_method(cls, "DrawRect", code_of(RuntimeGraphicsDrawRect));
  add_method(cls, "ClearRect", code_of(RuntimeGraphicsClearRect));
  add_method(cls, "DrawOval", code_of(RuntimeGraphicsDrawOval));
  add_method(cls, "FillOval", code_of(RuntimeGraphicsFillOval));
  add_method(cls, "DrawRoundRect", code_of(RuntimeGraphicsDrawRoundRect));
  add_method(cls, "FillRoundRect", code_of(RuntimeGraphicsFillRoundRect));
  add_method(cls, "DrawString", code_of(RuntimeGraphicsDrawString));
  add_method(cls, "StringWidth", code_of(RuntimeGraphicsStringWidth));
  add_method(cls, "TextHeight", code_of(RuntimeGraphicsTextHeight));
  add_method(cls, "TextAscent", code_of(RuntimeGraphicsTextAscent));
  add_method(cls, "DrawPicture", code_of(RuntimeGraphicsDrawPicture));
}

}  // namespace

void define_graphics_classes() {
  define_graphics_class();
  define_picture_class();
  install_picture_loader();
  // A fatal end in the middle of drawing first puts the DC back.
  set_fatal_drawing_release(end_current_graphics);
}

GraphicsState* graphics_state_of(QlObject* graphics) {
  if (!graphics || !object_isa(graphics, graphics_class())) return nullptr;
  return reinterpret_cast<GraphicsObject*>(graphics)->state;
}

QlObject* new_pane_graphics(Pane* pane) {
  QlObject* object = new_object(graphics_class());
  reinterpret_cast<GraphicsObject*>(object)->state = new GraphicsState(pane);
  return object;
}

}  // namespace ql

QL_API QlObject* windowGraphicsGetter(QlObject* window, intptr_t) {
  if (!window) return nullptr;
  return ql::kept_graphics(ql::as_window_fields(window)->graphics, ql::as_window_fields(window)->pane);
}

QL_API QlObject* canvasGraphicsGetter(QlObject* canvas, intptr_t) {
  if (!canvas) return nullptr;
  return ql::kept_graphics(ql::as_canvas_fields(canvas)->graphics,
                           ql::as_canvas_fields(canvas)->control.pane);
}
