// The graphics state: becoming current, the pane's DC, the saved clip, the font and the cached GDI objects.
#include "ui/graphics/graphics_state.h"

#include <algorithm>
#include <vector>

#include "ui/graphics/font_cache.h"
#include "ui/graphics/graphics.h"
#include "ui/panes/pane.h"
#include "values/fatal.h"
#include "values/invariant.h"
#include "values/string.h"

namespace ql {

namespace {

GraphicsState*& current() {
  static GraphicsState* state = nullptr;
  return state;
}

// States between start and end, which hold a device context of their pane: one at the most, the current.
[[maybe_unused]] int32_t& states_drawing() {
  static int32_t drawing = 0;
  return drawing;
}

// Every state alive, so that a pane going away can detach the ones bound to it.
std::vector<GraphicsState*>& live_states() {
  static std::vector<GraphicsState*> states;
  return states;
}

void delete_region(HRGN& region) {
  if (region) DeleteObject(region);
  region = nullptr;
}

}  // namespace

GraphicsState::GraphicsState(Pane* pane) : pane_(pane) {
  if (pane) {
    font_name = pane->font_name;
    string_retain(font_name);
    text_size = pane->font_size;
    style = pane->font_style;
  } else {
    font_name = string_from_cstr("System");
  }
  live_states().push_back(this);
}

GraphicsState::~GraphicsState() {
  end();
  std::erase(live_states(), this);
  release_font(font_);
  delete_region(clip_);
  delete_region(extra_clip_);
  if (pen_) DeleteObject(pen_);
  if (brush_) DeleteObject(brush_);
  string_release(font_name);
}

void GraphicsState::forget_pane() {
  end();
  pane_ = nullptr;
}

bool GraphicsState::dc_stale() const {
  HDC paint = pane_->paint_dc();
  return paint ? dc_ != paint : dc_is_paint_;
}

HDC GraphicsState::begin(bool with_font) {
  if (!pane_) {
    if (with_font) report_assertion(ql::kConsistencyCheck, "pane", 1);
    return nullptr;
  }
  if (current() == this && dc_stale()) end();
  if (current() != this) {
    if (current()) current()->end();
    if (!start()) return nullptr;
  }
  if (with_font) select_font();
  return dc_;
}

bool GraphicsState::start() {
  dc_ = pane_->acquire_dc();
  if (!dc_) return false;
  dc_is_paint_ = dc_ == pane_->paint_dc();
  QL_INVARIANT(!current(), "a state starts drawing only once the current one has ended");
  current() = this;
  QL_INVARIANT(++states_drawing() == 1, "at most one graphics state is current");
  pane_->begin_drawing();
  saved_clip_ = CreateRectRgn(0, 0, 0, 0);
  had_clip_ = GetClipRgn(dc_, saved_clip_) == 1;
  SetBkMode(dc_, TRANSPARENT);
  font_selected_ = false;
  saved_font_ = nullptr;
  if (font_valid && font_) {
    saved_font_ = SelectObject(dc_, font_);
    font_selected_ = true;
  }
  apply_clip();
  return true;
}

void GraphicsState::end() {
  if (current() != this) return;
  current() = nullptr;
  QL_INVARIANT(--states_drawing() == 0, "the state that ends was the one current");
  // A paint DC whose paint is over belongs to nobody any more: nothing is put back into it.
  bool gone = dc_is_paint_ && pane_->paint_dc() != dc_;
  if (!gone) {
    SelectClipRgn(dc_, had_clip_ ? saved_clip_ : nullptr);
    if (saved_font_) SelectObject(dc_, saved_font_);
    pane_->release_dc(dc_);
  }
  delete_region(saved_clip_);
  had_clip_ = false;
  saved_font_ = nullptr;
  font_selected_ = false;
  dc_ = nullptr;
  dc_is_paint_ = false;
  pane_->end_drawing();
}

void GraphicsState::select_font() {
  if (font_valid && font_selected_) return;
  if (!font_valid) {
    HFONT old = font_;
    font_ = acquire_font(font_name, text_size, style);
    font_valid = true;
    metrics_valid_ = false;
    if (font_) {
      HGDIOBJ previous = SelectObject(dc_, font_);
      if (!saved_font_) saved_font_ = previous;
      font_selected_ = true;
    } else if (saved_font_) {
      SelectObject(dc_, saved_font_);  // the old font must leave the DC before it goes back to the cache
      font_selected_ = false;
    }
    release_font(old);
    return;
  }
  if (!font_) return;
  HGDIOBJ previous = SelectObject(dc_, font_);
  if (!saved_font_) saved_font_ = previous;
  font_selected_ = true;
}

const TEXTMETRICA& GraphicsState::metrics() {
  if (!metrics_valid_ && dc_ && current() == this) {
    GetTextMetricsA(dc_, &metrics_);
    metrics_valid_ = true;
  }
  return metrics_;
}

int32_t GraphicsState::to_dc_x(int32_t x) const { return x + (pane_ ? pane_->bounds.left : 0) - origin_x; }
int32_t GraphicsState::to_dc_y(int32_t y) const { return y + (pane_ ? pane_->bounds.top : 0) - origin_y; }

HPEN GraphicsState::pen() {
  COLORREF colour = colorref();
  if (!pen_ || pen_color_ != colour || pen_made_width_ != pen_width) {
    if (pen_) DeleteObject(pen_);
    pen_ = CreatePen(PS_SOLID, pen_width, colour);
    pen_color_ = colour;
    pen_made_width_ = pen_width;
  }
  return pen_;
}

HBRUSH GraphicsState::brush() {
  COLORREF colour = colorref();
  if (!brush_ || brush_color_ != colour) {
    if (brush_) DeleteObject(brush_);
    brush_ = CreateSolidBrush(colour);
    brush_color_ = colour;
  }
  return brush_;
}

void GraphicsState::set_clip_region(HRGN region) {
  delete_region(clip_);
  clip_ = region;
  reapply_clip();
}

void GraphicsState::set_extra_clip_region(HRGN region) {
  delete_region(extra_clip_);
  extra_clip_ = region;
  reapply_clip();
}

void GraphicsState::reapply_clip() {
  if (current() != this || !dc_ || dc_stale()) return;
  SelectClipRgn(dc_, had_clip_ ? saved_clip_ : nullptr);
  apply_clip();
}

void GraphicsState::apply_clip() {
  if (!clip_ && !extra_clip_) return;
  // The regions are in the state's coordinates; the DC clips in device coordinates.
  POINT viewport = {0, 0};
  GetViewportOrgEx(dc_, &viewport);
  int32_t dx = to_dc_x(0) + viewport.x, dy = to_dc_y(0) + viewport.y;
  HRGN combined = CreateRectRgn(0, 0, 0, 0);
  bool first = true;
  for (HRGN region : {clip_, extra_clip_}) {
    if (!region) continue;
    HRGN moved = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(moved, region, nullptr, RGN_COPY);
    OffsetRgn(moved, dx, dy);
    CombineRgn(combined, first ? moved : combined, first ? nullptr : moved, first ? RGN_COPY : RGN_AND);
    DeleteObject(moved);
    first = false;
  }
  if (had_clip_) CombineRgn(combined, combined, saved_clip_, RGN_AND);
  SelectClipRgn(dc_, combined);
  DeleteObject(combined);
}

GraphicsState* current_graphics_state() { return current(); }

void end_current_graphics() {
  if (current()) current()->end();
}

void forget_pane_graphics(Pane* pane) {
  for (GraphicsState* state : live_states()) {
    if (state->pane() == pane) state->forget_pane();
  }
}

}  // namespace ql
