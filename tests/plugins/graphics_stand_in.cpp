// A minimal stand-in for the graphics state, pane Graphics objects and picture sizes, linked into the plug-in
// tests only while the runtime has no graphics implementation of its own (see CMakeLists.txt): a Graphics
// object keeps its state in the root's first word, and a state draws into its pane's DC.
#include "objects/class_registry.h"
#include "objects/objects.h"
#include "quillet/graphics.h"
#include "ui/graphics/graphics.h"
#include "ui/graphics/graphics_state.h"
#include "ui/panes/pane.h"
#include "values/string.h"

namespace ql {

namespace {

GraphicsState* state_of(QlObject* graphics) {
  return reinterpret_cast<GraphicsState*>(reinterpret_cast<ObjectBase*>(graphics)->subclass_words[0]);
}

void set_state(QlObject* graphics, GraphicsState* state) {
  reinterpret_cast<ObjectBase*>(graphics)->subclass_words[0] = reinterpret_cast<uintptr_t>(state);
}

void destroy_graphics(QlObject* graphics, ClassObject*) {
  delete state_of(graphics);
  set_state(graphics, nullptr);
}

}  // namespace

GraphicsState::GraphicsState(Pane* pane) : pane_(pane) {}

GraphicsState::~GraphicsState() {
  end();
  string_release(font_name);
}

HDC GraphicsState::begin(bool) {
  if (!pane_) return nullptr;
  if (!dc_) dc_ = pane_->acquire_dc();
  return dc_;
}

void GraphicsState::end() {
  if (dc_ && pane_) pane_->release_dc(dc_);
  dc_ = nullptr;
}

void GraphicsState::forget_pane() {
  end();
  pane_ = nullptr;
}

const TEXTMETRICA& GraphicsState::metrics() { return metrics_; }

GraphicsState* graphics_state_of(QlObject* graphics) {
  static const ClassObject* cls = builtin_class("Graphics");
  return graphics && class_of(graphics) == cls ? state_of(graphics) : nullptr;
}

QlObject* new_pane_graphics(Pane* pane) {
  ClassObject* cls = builtin_class("Graphics");
  cls->destructor = destroy_graphics;
  QlObject* graphics = new_object(cls);
  set_state(graphics, new GraphicsState(pane));
  return graphics;
}

void forget_pane_graphics(Pane*) {}

// Pictures draw as a filled rectangle of their recorded size in the stand-in colour.
void draw_picture_at(Pane* pane, QlObject* picture, int32_t x, int32_t y) {
  HDC dc = pane ? pane->acquire_dc() : nullptr;
  if (!dc || !picture) return;
  RECT r = {x, y, x + pictureWidthGetter(picture, 0), y + pictureHeightGetter(picture, 0)};
  HBRUSH brush = CreateSolidBrush(RGB(0, 160, 0));
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  pane->release_dc(dc);
}

}  // namespace ql

// A picture's size lives in the root's two words here.
QL_API int32_t pictureWidthGetter(QlObject* picture, intptr_t) {
  return picture ? static_cast<int32_t>(reinterpret_cast<ql::ObjectBase*>(picture)->subclass_words[0]) : 0;
}
QL_API int32_t pictureHeightGetter(QlObject* picture, intptr_t) {
  return picture ? static_cast<int32_t>(reinterpret_cast<ql::ObjectBase*>(picture)->subclass_words[1]) : 0;
}
