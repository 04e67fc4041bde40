// The StaticText class, its pane hook and its entry points.
#include "objects/class_registry.h"
#include "objects/objects.h"
#include "objects/value_types.h"
#include "quillet/controls.h"
#include "quillet/objects.h"
#include "quillet/strings.h"
#include "ui/controls/static_text_pane.h"
#include "ui/panes/control_pane_settings.h"
#include "ui/ui_classes.h"
#include "values/string.h"

namespace ql {

namespace {

void destroy_static_text(QlObject* object, ClassObject*) {
  StaticTextFields* f = as_static_text_fields(object);
  string_release(f->caption);
  f->caption = nullptr;
}

void create_static_pane(QlObject* label) {
  ControlFields* c = as_control_fields(label);
  if (c->pane || !c->window_pane) return;
  auto* pane = new StaticPane(label, c->window_pane, c->bounds);
  copy_control_font(label);
  if (!pane->build()) delete pane;
}

bool attribute_getter(QlObject* label, intptr_t which) {
  ControlFields* c = as_control_fields(label);
  switch (which) {
    case 0:
      return c->bold;
    case 1:
      return c->italic;
    case 2:
      return c->underline;
    default:
      return as_static_text_fields(label)->multi_line;
  }
}

void redraw(QlObject* label) {
  if (StaticPane* pane = static_pane_of(label)) pane->take_fields();
}

void font_redraw(QlObject* label) {
  copy_control_font(label);
  redraw(label);
}

}  // namespace

StaticPane* static_pane_of(QlObject* label) {
  return label ? static_cast<StaticPane*>(as_control_fields(label)->pane) : nullptr;
}

void define_static_text_class() {
  ClassObject* cls =
      define_builtin_class("StaticText", builtin_class("RectControl"), sizeof(StaticTextObject));
  cls->destructor = destroy_static_text;
  cls->properties.clear();
  add_hook(cls, "CreatePane", code_of(create_static_pane));
  add_property(cls, "Text", &kStringType, code_of(stringGetter), code_of(staticCaptionSetter),
               offsetof(StaticTextFields, caption));
  add_property(cls, "TextAlign", &kIntegerType, code_of(int32Getter), code_of(staticTextAlignSetter),
               offsetof(StaticTextFields, alignment));
  add_property(cls, "TextColor", &kColorType, code_of(int32Getter), code_of(staticTextColorSetter),
               offsetof(StaticTextFields, text_color));
  add_property(cls, "TextFont", &kStringType, code_of(stringGetter), code_of(staticTextFontSetter),
               offsetof(ControlFields, text_font));
  add_property(cls, "TextSize", &kIntegerType, code_of(int32Getter), code_of(staticTextSizeSetter),
               offsetof(ControlFields, text_size));
  const char* const attributes[] = {"Bold", "Italic", "Underline", "Multiline"};
  for (intptr_t which = 0; which < 4; ++which)
    add_property(cls, attributes[which], &kBooleanType, code_of(attribute_getter),
                 code_of(staticAttributeSetter), which);
}

}  // namespace ql

using ql::as_static_text_fields;

QL_API void staticCaptionSetter(QlObject* label, intptr_t, QlString caption) {
  if (!label) return;
  ql::string_assign(as_static_text_fields(label)->caption, caption);
  ql::redraw(label);
}

QL_API void staticTextAlignSetter(QlObject* label, intptr_t, int32_t alignment) {
  if (!label) return;
  as_static_text_fields(label)->alignment = alignment;
  ql::redraw(label);
}

QL_API void staticTextColorSetter(QlObject* label, intptr_t, int32_t colour) {
  if (!label) return;
  as_static_text_fields(label)->text_color = static_cast<uint32_t>(colour);
  ql::redraw(label);
}

QL_API void staticTextFontSetter(QlObject* label, intptr_t, QlString font) {
  if (!label) return;
  ql::string_assign(ql::as_control_fields(label)->text_font, font);
  ql::font_redraw(label);
}

QL_API void staticTextSizeSetter(QlObject* label, intptr_t, int32_t size) {
  if (!label) return;
  ql::as_control_fields(label)->text_size = size;
  ql::font_redraw(label);
}

QL_API void staticAttributeSetter(QlObject* label, intptr_t which, bool on) {
  if (!label) return;
  ql::ControlFields* c = ql::as_control_fields(label);
  switch (which) {
    case 0:
      c->bold = on;
      break;
    case 1:
      c->italic = on;
      break;
    case 2:
      c->underline = on;
      break;
    case 3:
      as_static_text_fields(label)->multi_line = on;
      break;
    default:
      return;
  }
  ql::font_redraw(label);
}
