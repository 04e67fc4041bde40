// Text drawn into a fixed width: when too wide it is cut and ends in "...".
#pragma once

#include <stdint.h>

#include <string>
#include <string_view>

namespace ql {

// The width in pixels of length bytes of text, as the font that draws it measures them.
using MeasureText = int32_t (*)(void* context, const char* text, int32_t length);

// What to draw in width pixels: the text itself when it fits; otherwise a leading part of it followed by
// "..." that fits, shortened further (dots included) until it does; empty when nothing fits.
std::string fitted_text(std::string_view text, int32_t width, MeasureText measure, void* context);

}  // namespace ql
