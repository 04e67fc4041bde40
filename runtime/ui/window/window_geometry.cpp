// Window geometry arithmetic.
#include "ui/window/window_geometry.h"

namespace ql {

namespace {

int32_t clamp32(int64_t value) {
  return static_cast<int32_t>(value < INT32_MIN ? INT32_MIN : value > INT32_MAX ? INT32_MAX : value);
}

}  // namespace

int32_t Edges::width() const { return clamp32(int64_t{right} - left); }
int32_t Edges::height() const { return clamp32(int64_t{bottom} - top); }

Rect16 rect16_of(const Edges& r) {
  return {clamp16(r.top), clamp16(r.left), clamp16(r.bottom), clamp16(r.right)};
}

Edges frame_for_content(const Edges& frame, const Rect16& actual, const Rect16& wanted) {
  return {clamp32(int64_t{frame.left} + wanted.left - actual.left),
          clamp32(int64_t{frame.top} + wanted.top - actual.top),
          clamp32(int64_t{frame.right} + wanted.right - actual.right),
          clamp32(int64_t{frame.bottom} + wanted.bottom - actual.bottom)};
}

TrackSizes track_sizes(int32_t min_width, int32_t min_height, int32_t max_width, int32_t max_height,
                       int32_t frame_width, int32_t frame_height, const TrackSizes& defaults) {
  auto limit = [](int32_t content, int32_t frame, int32_t fallback) {
    return content > 0 ? clamp32(int64_t{content} + (frame > 0 ? frame : 0)) : fallback;
  };
  TrackSizes out;
  out.min_width = limit(min_width, frame_width, defaults.min_width);
  out.min_height = limit(min_height, frame_height, defaults.min_height);
  out.max_width = limit(max_width, frame_width, defaults.max_width);
  out.max_height = limit(max_height, frame_height, defaults.max_height);
  if (out.max_width < out.min_width) out.max_width = out.min_width;
  if (out.max_height < out.min_height) out.max_height = out.min_height;
  return out;
}

Rect16 follow_window_resize(const Rect16& bounds, const EdgeLocks& locks, int32_t dx, int32_t dy) {
  Rect16 r = bounds;
  if (locks.right) {
    r.right = clamp16(int64_t{r.right} + dx);
    if (!locks.left) r.left = clamp16(int64_t{r.left} + dx);
  }
  if (locks.bottom) {
    r.bottom = clamp16(int64_t{r.bottom} + dy);
    if (!locks.top) r.top = clamp16(int64_t{r.top} + dy);
  }
  return r;
}

}  // namespace ql
