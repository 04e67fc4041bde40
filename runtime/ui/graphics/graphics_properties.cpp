// The property entry points of Graphics: colour, font, size, style, pen and the pane's size.
#include "quillet/graphics.h"
#include "ui/graphics/graphics_state.h"
#include "ui/panes/pane.h"
#include "values/string.h"

namespace {

using ql::graphics_state_of;
using ql::GraphicsState;

void set_style_bit(QlObject* g, uint8_t bit, bool on) {
  GraphicsState* s = graphics_state_of(g);
  if (!s) return;
  s->style = static_cast<uint8_t>(on ? (s->style | bit) : (s->style & ~bit));
  s->font_changed();
}

bool style_bit(QlObject* g, uint8_t bit) {
  GraphicsState* s = graphics_state_of(g);
  return s && (s->style & bit) != 0;
}

// Each 8-bit component spread over 0..65535, so that its high byte is the component again.
uint16_t component(int32_t colour, int shift) {
  return static_cast<uint16_t>(((colour >> shift) & 0xFF) * 257);
}

}  // namespace

QL_API void graphicsForeColorSetter(QlObject* g, intptr_t, int32_t colour) {
  GraphicsState* s = graphics_state_of(g);
  if (!s) return;
  s->red = component(colour, 16);
  s->green = component(colour, 8);
  s->blue = component(colour, 0);
}

QL_API int32_t graphicsForeColorGetter(QlObject* g, intptr_t) {
  GraphicsState* s = graphics_state_of(g);
  if (!s) return 0;
  return ((s->red / 256) << 16) | ((s->green / 256) << 8) | (s->blue / 256);
}

QL_API void graphicsTextFontSetter(QlObject* g, intptr_t, QlString font) {
  GraphicsState* s = graphics_state_of(g);
  if (!s) return;
  ql::string_assign(s->font_name, font);
  s->font_changed();
}

QL_API QlString graphicsTextFontGetter(QlObject* g, intptr_t) {
  GraphicsState* s = graphics_state_of(g);
  if (!s) return nullptr;
  ql::string_retain(s->font_name);
  return s->font_name;
}

QL_API void graphicsTextSizeSetter(QlObject* g, intptr_t, int32_t size) {
  GraphicsState* s = graphics_state_of(g);
  if (!s) return;
  s->text_size = size;
  s->font_changed();
}

QL_API int32_t graphicsTextSizeGetter(QlObject* g, intptr_t) {
  GraphicsState* s = graphics_state_of(g);
  return s ? s->text_size : 0;
}

QL_API void graphicsBoldSetter(QlObject* g, intptr_t, bool bold) { set_style_bit(g, 1, bold); }
QL_API bool graphicsBoldGetter(QlObject* g, intptr_t) { return style_bit(g, 1); }
QL_API void graphicsItalicSetter(QlObject* g, intptr_t, bool italic) { set_style_bit(g, 2, italic); }
QL_API bool graphicsItalicGetter(QlObject* g, intptr_t) { return style_bit(g, 2); }
QL_API void graphicsUnderlineSetter(QlObject* g, intptr_t, bool underline) { set_style_bit(g, 4, underline); }
QL_API bool graphicsUnderlineGetter(QlObject* g, intptr_t) { return style_bit(g, 4); }

QL_API void graphicsPenWidthSetter(QlObject* g, intptr_t, int32_t width) {
  if (GraphicsState* s = graphics_state_of(g)) s->pen_width = width;
}

QL_API int32_t graphicsPenWidthGetter(QlObject* g, intptr_t) {
  GraphicsState* s = graphics_state_of(g);
  return s ? s->pen_width : 0;
}

QL_API void graphicsPenHeightSetter(QlObject* g, intptr_t, int32_t height) {
  if (GraphicsState* s = graphics_state_of(g)) s->pen_height = height;
}

QL_API int32_t graphicsPenHeightGetter(QlObject* g, intptr_t) {
  GraphicsState* s = graphics_state_of(g);
  return s ? s->pen_height : 0;
}

QL_API int32_t graphicsWidthGetter(QlObject* g, intptr_t) {
  GraphicsState* s = graphics_state_of(g);
  return s && s->pane() ? s->pane()->width : 0;
}

QL_API int32_t graphicsHeightGetter(QlObject* g, intptr_t) {
  GraphicsState* s = graphics_state_of(g);
  return s && s->pane() ? s->pane()->height : 0;
}
