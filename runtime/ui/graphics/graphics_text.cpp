// The text entry points of Graphics: strings on their baseline or word-wrapped, widths and font metrics.
#include "quillet/graphics.h"
#include "ui/graphics/graphics_state.h"
#include "values/string.h"

namespace {

// Word-wrapped text: left aligned, words broken at the width, "&" drawn as it is.
constexpr UINT kWrapFlags = DT_WORDBREAK | DT_NOPREFIX | DT_LEFT;
constexpr int32_t kUnboundedBottom = 32767;

}  // namespace

QL_API void RuntimeGraphicsDrawString(QlObject* g, QlString text, int32_t x, int32_t y, int32_t wrap_width) {
  if (!text) return;
  ql::GraphicsState* state = ql::graphics_state_of(g);
  HDC dc = state ? state->begin(true) : nullptr;
  if (!dc) return;
  SetTextColor(dc, state->colorref());
  const char* bytes = ql::string_cview(text);
  int length = ql::string_length(text);
  int32_t left = state->to_dc_x(x), baseline = state->to_dc_y(y);
  if (wrap_width == 0) {
    SetTextAlign(dc, TA_BASELINE);
    TextOutA(dc, left, baseline, bytes, length);
    return;
  }
  // The first line's baseline stays at y: the rectangle starts one ascent above it.
  RECT r = {left, baseline - state->metrics().tmAscent, left + wrap_width, kUnboundedBottom};
  SetTextAlign(dc, TA_TOP);
  DrawTextA(dc, bytes, length, &r, kWrapFlags);
  SetTextAlign(dc, TA_BASELINE);
}

QL_API int32_t RuntimeGraphicsStringWidth(QlObject* g, QlString text) {
  if (!text) return 0;
  ql::GraphicsState* state = ql::graphics_state_of(g);
  HDC dc = state ? state->begin(true) : nullptr;
  if (!dc) return 0;
  SIZE size = {0, 0};
  GetTextExtentPoint32A(dc, ql::string_cview(text), ql::string_length(text), &size);
  return size.cx;
}

QL_API int32_t RuntimeGraphicsTextHeight(QlObject* g) {
  ql::GraphicsState* state = ql::graphics_state_of(g);
  if (!state || !state->begin(true)) return 0;
  return state->metrics().tmHeight;
}

QL_API int32_t RuntimeGraphicsTextAscent(QlObject* g) {
  ql::GraphicsState* state = ql::graphics_state_of(g);
  if (!state || !state->begin(true)) return 0;
  return state->metrics().tmAscent;
}
