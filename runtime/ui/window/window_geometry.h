// The window procedure's geometry arithmetic, apart from the platform: platform rectangles as the runtime's
// 16-bit rectangles, the frame that gives a window's content its wanted rectangle, the track sizes its size
// limits make, and the bounds of a control locked to the edges of a window that changed size.
#pragma once

#include <stdint.h>

#include "ui/panes/geometry.h"

namespace ql {

// A platform rectangle (RECT's four 32-bit edges).
struct Edges {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  bool operator==(const Edges&) const = default;
  // Saturated at 32 bits.
  int32_t width() const;
  int32_t height() const;
};

// Each edge clamped to 16 bits.
Rect16 rect16_of(const Edges& r);

// The frame that puts the content at `wanted` when it lies at `actual` inside `frame`: each edge of the
// frame moves as that edge of the content must. Edges saturate at 32 bits.
Edges frame_for_content(const Edges& frame, const Rect16& actual, const Rect16& wanted);

// The sizes a window's frame may be tracked between (WM_GETMINMAXINFO's ptMinTrackSize and
// ptMaxTrackSize).
struct TrackSizes {
  int32_t min_width = 0;
  int32_t min_height = 0;
  int32_t max_width = 0;
  int32_t max_height = 0;
  bool operator==(const TrackSizes&) const = default;
};

// The window's content limits (0 or below: no limit; the image stores them as 16-bit values) added to the
// frame's own width and height around the content; a side without a limit keeps the platform's default. A
// maximum below the minimum rises to it, so that some size always satisfies both.
TrackSizes track_sizes(int32_t min_width, int32_t min_height, int32_t max_width, int32_t max_height,
                       int32_t frame_width, int32_t frame_height, const TrackSizes& defaults);

// Which edges of a control follow the window's.
struct EdgeLocks {
  bool left = false, top = false, right = false, bottom = false;
};

// A control's bounds after its window's content grew by dx and dy: locked to the right, its right edge
// moves by dx and, unless also locked to the left, so does its left edge; the same downwards. Edges clamp
// at 16 bits.
Rect16 follow_window_resize(const Rect16& bounds, const EdgeLocks& locks, int32_t dx, int32_t dy);

}  // namespace ql
