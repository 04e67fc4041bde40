// The graphics state behind every Graphics object: the drawing attributes, and the DC it reaches its pane
// through only while it draws. One state is current at a time; becoming current ends the previous one.
#pragma once

#include <windows.h>

#include <stdint.h>

#include "quillet/types.h"

namespace ql {

class Pane;

class GraphicsState {
 public:
  explicit GraphicsState(Pane* pane);  // takes the pane's font name, size and style
  ~GraphicsState();                    // ends it if current, gives back its font, regions and DC
  GraphicsState(const GraphicsState&) = delete;
  GraphicsState& operator=(const GraphicsState&) = delete;

  // Makes this state current and answers its DC, with the state's font selected when with_font; null
  // when the pane is gone or gives no DC.
  HDC begin(bool with_font);
  void end();  // restores the DC's clip region and font and gives the DC back to the pane

  Pane* pane() const { return pane_; }
  void forget_pane();  // the pane is going away

  // Attributes.
  QlString font_name = nullptr;  // the state's reference
  int32_t text_size = 12;
  uint8_t style = 0;  // bit 0 bold, 1 italic, 2 underline
  int32_t pen_width = 1, pen_height = 1;
  int32_t pen_x = 0, pen_y = 0;
  uint16_t red = 0, green = 0, blue = 0;  // each 0..65535
  int32_t origin_x = 0, origin_y = 0;
  bool font_valid = false;

  COLORREF colorref() const { return RGB(red >> 8, green >> 8, blue >> 8); }
  void font_changed() { font_valid = false; }
  const TEXTMETRICA& metrics();  // of the current font, cached until it changes; call after begin(true)

  // Where a point of the state's coordinates lies in the DC's (window content) coordinates: the pane's
  // left and top added, the origin subtracted.
  int32_t to_dc_x(int32_t x) const;
  int32_t to_dc_y(int32_t y) const;

  // A solid pen of pen width and a solid brush, both in the fore colour; made again only when those change.
  HPEN pen();
  HBRUSH brush();

  // Clipping in the state's coordinates, intersected with the DC's own clip while the state is current.
  // The state takes over the region (null removes it).
  void set_clip_region(HRGN region);
  void set_extra_clip_region(HRGN region);

 private:
  bool start();           // becomes current: DC, saved clip, background mode, font, clip regions
  bool dc_stale() const;  // holds a paint DC of a paint that is over, or the pane is painting now
  void select_font();
  void apply_clip();
  void reapply_clip();

  Pane* pane_;
  HDC dc_ = nullptr;
  bool dc_is_paint_ = false;
  HFONT font_ = nullptr;  // from the font cache
  bool font_selected_ = false;
  HGDIOBJ saved_font_ = nullptr;
  HRGN saved_clip_ = nullptr;
  bool had_clip_ = false;
  HRGN clip_ = nullptr, extra_clip_ = nullptr;
  TEXTMETRICA metrics_ = {};
  bool metrics_valid_ = false;
  HPEN pen_ = nullptr;
  COLORREF pen_color_ = 0;
  int32_t pen_made_width_ = 0;
  HBRUSH brush_ = nullptr;
  COLORREF brush_color_ = 0;
};

// The state a Graphics object wraps, or null for nil or another class.
GraphicsState* graphics_state_of(QlObject* graphics);

// The state drawing now, and ending it (nothing when none is current).
GraphicsState* current_graphics_state();
void end_current_graphics();

}  // namespace ql
