// The drawing entry points of shapes and pictures: lines, rectangles, ovals, round rectangles and pictures
// in the pane's own coordinates.
#include "quillet/graphics.h"
#include "ui/graphics/graphics_state.h"
#include "ui/graphics/picture.h"

namespace {

using ql::GraphicsState;

// The state and its DC, ready to draw; null when there is nothing to draw into.
struct Drawing {
  explicit Drawing(QlObject* g)
      : state(ql::graphics_state_of(g)), dc(state ? state->begin(false) : nullptr) {}
  GraphicsState* state;
  HDC dc;
};

RECT dc_rect(const GraphicsState& s, int32_t x, int32_t y, int32_t width, int32_t height) {
  return {s.to_dc_x(x), s.to_dc_y(y), s.to_dc_x(x + width), s.to_dc_y(y + height)};
}

void line(const Drawing& d, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  MoveToEx(d.dc, d.state->to_dc_x(x1), d.state->to_dc_y(y1), nullptr);
  LineTo(d.dc, d.state->to_dc_x(x2), d.state->to_dc_y(y2));
  d.state->pen_x = x2;
  d.state->pen_y = y2;
}

// Outlines take the pen and no brush, filled shapes the brush and no pen.
template <typename Shape>
void shape(QlObject* g, bool filled, Shape draw) {
  Drawing d(g);
  if (!d.dc) return;
  HGDIOBJ pen = SelectObject(d.dc, filled ? GetStockObject(NULL_PEN) : d.state->pen());
  HGDIOBJ brush = SelectObject(d.dc, filled ? d.state->brush() : GetStockObject(NULL_BRUSH));
  draw(d);
  SelectObject(d.dc, brush);
  SelectObject(d.dc, pen);
}

void oval(QlObject* g, bool filled, int32_t x, int32_t y, int32_t width, int32_t height) {
  shape(g, filled, [&](const Drawing& d) {
    RECT r = dc_rect(*d.state, x, y, width, height);
    Ellipse(d.dc, r.left, r.top, r.right, r.bottom);
  });
}

void round_rect(QlObject* g, bool filled, int32_t x, int32_t y, int32_t width, int32_t height,
                int32_t arc_width, int32_t arc_height) {
  shape(g, filled, [&](const Drawing& d) {
    RECT r = dc_rect(*d.state, x, y, width, height);
    RoundRect(d.dc, r.left, r.top, r.right, r.bottom, arc_width, arc_height);
  });
}

}  // namespace

QL_API void RuntimeGraphicsDrawLine(QlObject* g, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  Drawing d(g);
  if (!d.dc) return;
  HGDIOBJ pen = SelectObject(d.dc, d.state->pen());
  line(d, x1, y1, x2, y2);
  SelectObject(d.dc, pen);
}

QL_API void RuntimeGraphicsDrawRect(QlObject* g, int32_t x, int32_t y, int32_t width, int32_t height) {
  Drawing d(g);
  if (!d.dc) return;
  HGDIOBJ pen = SelectObject(d.dc, d.state->pen());
  line(d, x, y, x + width, y);
  line(d, x + width, y, x + width, y + height);
  line(d, x + width, y + height, x, y + height);
  line(d, x, y + height, x, y);
  SelectObject(d.dc, pen);
}

QL_API void RuntimeGraphicsFillRect(QlObject* g, int32_t x, int32_t y, int32_t width, int32_t height) {
  Drawing d(g);
  if (!d.dc) return;
  RECT r = dc_rect(*d.state, x, y, width, height);
  FillRect(d.dc, &r, d.state->brush());
}

QL_API void RuntimeGraphicsClearRect(QlObject* g, int32_t x, int32_t y, int32_t width, int32_t height) {
  Drawing d(g);
  if (!d.dc) return;
  RECT r = dc_rect(*d.state, x, y, width, height);
  FillRect(d.dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

QL_API void RuntimeGraphicsDrawOval(QlObject* g, int32_t x, int32_t y, int32_t width, int32_t height) {
  oval(g, false, x, y, width, height);
}

QL_API void RuntimeGraphicsFillOval(QlObject* g, int32_t x, int32_t y, int32_t width, int32_t height) {
  oval(g, true, x, y, width, height);
}

QL_API void RuntimeGraphicsDrawRoundRect(QlObject* g, int32_t x, int32_t y, int32_t width, int32_t height,
                                         int32_t arc_width, int32_t arc_height) {
  round_rect(g, false, x, y, width, height, arc_width, arc_height);
}

QL_API void RuntimeGraphicsFillRoundRect(QlObject* g, int32_t x, int32_t y, int32_t width, int32_t height,
                                         int32_t arc_width, int32_t arc_height) {
  round_rect(g, true, x, y, width, height, arc_width, arc_height);
}

QL_API void RuntimeGraphicsDrawPicture(QlObject* g, QlObject* picture, int32_t x, int32_t y, int32_t width,
                                       int32_t height, int32_t source_x, int32_t source_y,
                                       int32_t source_width, int32_t source_height) {
  ql::NativePicture* native = ql::native_picture_of(picture);
  if (!native) return;
  Drawing d(g);
  if (!d.dc) return;
  if (width == QL_DEFAULT_SIZE) width = static_cast<int32_t>(native->record.width);
  if (height == QL_DEFAULT_SIZE) height = static_cast<int32_t>(native->record.height);
  if (source_width == QL_DEFAULT_SIZE) source_width = width;
  if (source_height == QL_DEFAULT_SIZE) source_height = height;
  ql::draw_native_picture(d.dc, *native, ql::as_picture_fields(picture)->transparent != 0,
                          {d.state->to_dc_x(x), d.state->to_dc_y(y), width, height},
                          {source_x, source_y, source_width, source_height});
}
