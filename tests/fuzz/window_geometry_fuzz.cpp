// Fuzz target: the window procedure's geometry arithmetic on any 32-bit inputs. Clamped rectangles keep every
// edge that fits; the frame moves each edge as the content must and lands on the same frame when asked
// again; track sizes keep the maximum at or above the minimum and apply exactly the limits above 0; a
// control locked to an edge follows it and keeps the edges it is not locked to.
#include <stddef.h>
#include <stdint.h>

#include "fuzz_bytes.h"
#include "ui/window/window_geometry.h"

namespace {

struct Input : ql::fuzzing::FuzzBytes {
  int16_t half() { return static_cast<int16_t>(word()); }
  ql::Rect16 rect() { return {half(), half(), half(), half()}; }
};

bool fits16(int64_t v) { return v >= -32768 && v <= 32767; }
bool fits32(int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; }

void check_clamped(int32_t in, int16_t out) {
  if (fits16(in) ? out != in : out != (in < 0 ? -32768 : 32767)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in{data, size};
  const ql::Edges edges{in.word(), in.word(), in.word(), in.word()};
  const ql::Rect16 r = ql::rect16_of(edges);
  check_clamped(edges.left, r.left);
  check_clamped(edges.top, r.top);
  check_clamped(edges.right, r.right);
  check_clamped(edges.bottom, r.bottom);

  const ql::Rect16 actual = in.rect(), wanted = in.rect();
  const ql::Edges frame = ql::frame_for_content(edges, actual, wanted);
  const int64_t moves[4][3] = {{edges.left, wanted.left - actual.left, frame.left},
                               {edges.top, wanted.top - actual.top, frame.top},
                               {edges.right, wanted.right - actual.right, frame.right},
                               {edges.bottom, wanted.bottom - actual.bottom, frame.bottom}};
  bool saturated = false;
  for (const auto& m : moves) {
    const int64_t exact = m[0] + m[1];
    if (fits32(exact) ? m[2] != exact : m[2] != (exact < 0 ? INT32_MIN : INT32_MAX)) __builtin_trap();
    saturated = saturated || !fits32(exact);
  }
  if (ql::frame_for_content(frame, wanted, wanted) != frame) __builtin_trap();
  if (!saturated && ql::frame_for_content(frame, wanted, actual) != edges) __builtin_trap();

  const int32_t limits[4] = {in.half(), in.half(), in.half(), in.half()};
  const int32_t frame_width = in.word() % 4096, frame_height = in.word() % 4096;
  const ql::TrackSizes defaults{in.word(), in.word(), in.word(), in.word()};
  const ql::TrackSizes sizes =
      ql::track_sizes(limits[0], limits[1], limits[2], limits[3], frame_width, frame_height, defaults);
  if (sizes.max_width < sizes.min_width || sizes.max_height < sizes.min_height) __builtin_trap();
  const int32_t extra[2] = {frame_width > 0 ? frame_width : 0, frame_height > 0 ? frame_height : 0};
  const int32_t mins[2] = {sizes.min_width, sizes.min_height};
  const int32_t min_defaults[2] = {defaults.min_width, defaults.min_height};
  for (int axis = 0; axis < 2; ++axis) {
    if (mins[axis] != (limits[axis] > 0 ? limits[axis] + extra[axis] : min_defaults[axis])) __builtin_trap();
  }
  const int32_t maxes[2] = {sizes.max_width, sizes.max_height};
  const int32_t max_defaults[2] = {defaults.max_width, defaults.max_height};
  for (int axis = 0; axis < 2; ++axis) {
    const int32_t asked = limits[2 + axis] > 0 ? limits[2 + axis] + extra[axis] : max_defaults[axis];
    if (maxes[axis] != (asked < mins[axis] ? mins[axis] : asked)) __builtin_trap();
  }

  const ql::Rect16 bounds = in.rect();
  const uint8_t lock_bits = in.byte();
  const ql::EdgeLocks locks{(lock_bits & 1) != 0, (lock_bits & 2) != 0, (lock_bits & 4) != 0,
                            (lock_bits & 8) != 0};
  const int32_t dx = in.word() % 70000, dy = in.word() % 70000;
  const ql::Rect16 moved = ql::follow_window_resize(bounds, locks, dx, dy);
  auto follows = [](int16_t before, int16_t after, bool moves, int32_t by) {
    return moves ? after == ql::clamp16(int64_t{before} + by) : after == before;
  };
  if (!follows(bounds.right, moved.right, locks.right, dx) ||
      !follows(bounds.left, moved.left, locks.right && !locks.left, dx) ||
      !follows(bounds.bottom, moved.bottom, locks.bottom, dy) ||
      !follows(bounds.top, moved.top, locks.bottom && !locks.top, dy))
    __builtin_trap();
  return 0;
}
