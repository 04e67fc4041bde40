// A minimal graphics state for the windows tests while the runtime has none of its own: the pane's DC with
// the state's font from the shared cache, given back at the end. No clipping, no origin, no current state.
#include "ui/font_cache.h"
#include "ui/graphics_state.h"
#include "ui/pane.h"
#include "values/string.h"

namespace ql {

GraphicsState::GraphicsState(Pane* pane) : pane_(pane) {
  font_name = string_from_cstr("System");
  if (pane) {
    string_assign(font_name, pane->font_name);
    text_size = pane->font_size;
    style = pane->font_style;
  }
}

GraphicsState::~GraphicsState() {
  end();
  release_font(font_);
  string_release(font_name);
}

HDC GraphicsState::begin(bool with_font) {
  if (!pane_) return nullptr;
  if (!dc_) dc_ = pane_->acquire_dc();
  if (!dc_) return nullptr;
  if (with_font) {
    if (!font_valid || !font_) {
      HFONT font = acquire_font(font_name, text_size, style);
      if (saved_font_) SelectObject(dc_, font);
      release_font(font_);
      font_ = font;
      font_valid = true;
      metrics_valid_ = false;
    }
    HGDIOBJ previous = SelectObject(dc_, font_);
    if (!saved_font_) saved_font_ = previous;
  }
  return dc_;
}

void GraphicsState::end() {
  if (!dc_) return;
  if (saved_font_) SelectObject(dc_, saved_font_);
  saved_font_ = nullptr;
  if (pane_) pane_->release_dc(dc_);
  dc_ = nullptr;
}

void GraphicsState::forget_pane() {
  end();
  pane_ = nullptr;
}

const TEXTMETRICA& GraphicsState::metrics() {
  if (!metrics_valid_ && begin(true)) {
    GetTextMetricsA(dc_, &metrics_);
    metrics_valid_ = true;
  }
  return metrics_;
}

GraphicsState* graphics_state_of(QlObject*) { return nullptr; }

}  // namespace ql
