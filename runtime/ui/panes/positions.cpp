// Position values of rectangles.
#include "ui/panes/positions.h"

#include "quillet/windows.h"

namespace ql {

int32_t rect_position(const Rect16& r, int32_t which) {
  switch (which) {
    case kQlLeft:
      return r.left;
    case kQlTop:
      return r.top;
    case kQlWidth:
      return r.width();
    case kQlHeight:
      return r.height();
    default:
      return 0;
  }
}

// Moves or sizes r: 0 Left and 1 Top keep the size, 2 Width and 3 Height keep the top-left corner.
bool change_position(Rect16& r, int32_t which, int32_t value) {
  Rect16 old = r;
  switch (which) {
    case kQlLeft:
      r.right = clamp16(int64_t{value} + r.width());
      r.left = clamp16(value);
      break;
    case kQlTop:
      r.bottom = clamp16(int64_t{value} + r.height());
      r.top = clamp16(value);
      break;
    case kQlWidth:
      r.right = clamp16(int64_t{r.left} + value);
      break;
    case kQlHeight:
      r.bottom = clamp16(int64_t{r.top} + value);
      break;
    default:
      break;
  }
  return !(r == old);
}

}  // namespace ql
