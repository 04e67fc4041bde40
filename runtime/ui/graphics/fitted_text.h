// Text fitted into a fixed width, as controls draw cells and captions: too wide a text is cut and ends in
// "...".
#pragma once

#include <windows.h>

#include <stdint.h>

#include <string>
#include <string_view>

namespace ql {

// The width in pixels of length bytes of text, as the font that draws it measures them.
using MeasureText = int32_t (*)(void* context, const char* text, int32_t length);

// The text as it fits into width: itself when it fits; otherwise its first half while it is longer than 20
// characters and too wide, then shortened one character at a time until it fits with "...", which it then
// ends in, shortened further (dots included) until it does; empty when nothing fits.
std::string fitted_text(std::string_view text, int32_t width, MeasureText measure, void* context);

// The same, measured in the DC's font.
std::string fitted_text(HDC dc, std::string_view text, int32_t width);

// Draws the fitted text at (x, y) with the DC's alignment; nothing when it is empty.
void draw_fitted_text(HDC dc, std::string_view text, int32_t x, int32_t y, int32_t width);

}  // namespace ql
