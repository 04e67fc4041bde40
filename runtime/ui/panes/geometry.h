// Rectangles as the runtime stores them (top, left, bottom, right, 16-bit each) and colours as it passes them
// to the platform.
#pragma once

#include <stdint.h>

namespace ql {

struct Rect16 {
  int16_t top = 0;
  int16_t left = 0;
  int16_t bottom = 0;
  int16_t right = 0;

  int32_t width() const { return right - left; }
  int32_t height() const { return bottom - top; }
  bool operator==(const Rect16&) const = default;
  // Edges may coincide.
  bool encloses(const Rect16& other) const {
    return other.left >= left && other.top >= top && other.right <= right && other.bottom <= bottom;
  }
  bool contains(int32_t x, int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// Sums of two 32-bit values are taken at 64 bits first, so that no edge wraps before it is clamped.
inline int16_t clamp16(int64_t value) {
  return static_cast<int16_t>(value < -32768 ? -32768 : value > 32767 ? 32767 : value);
}

inline Rect16 make_rect(int32_t left, int32_t top, int32_t width, int32_t height) {
  return {clamp16(top), clamp16(left), clamp16(int64_t{top} + height), clamp16(int64_t{left} + width)};
}

// The runtime's colour is 0x00RRGGBB; the platform's has red in the low byte.
constexpr uint32_t colorref_from_rgb(uint32_t c) {
  return (c & 0xFF00u) | ((c & 0xFFu) << 16) | ((c >> 16) & 0xFFu);
}
constexpr uint32_t rgb_from_colorref(uint32_t c) { return colorref_from_rgb(c); }

}  // namespace ql
