// Reading and changing one value of a rectangle by the number position entry points use: 0 Left, 1 Top,
// 2 Width, 3 Height.
#pragma once

#include <stdint.h>

#include "ui/panes/geometry.h"

namespace ql {

// 0 for any other number.
int32_t rect_position(const Rect16& r, int32_t which);
// Left and Top move the rectangle keeping its size; Width and Height move the right or bottom edge. Answers
// whether the rectangle changed.
bool change_position(Rect16& r, int32_t which, int32_t value);

}  // namespace ql
