// Fitting text into a width.
#include "ui/graphics/fitted_text.h"

namespace ql {

std::string fitted_text(std::string_view text, int32_t width, MeasureText measure, void* context) {
  auto wide = [&](std::string_view s) { return measure(context, s.data(), static_cast<int32_t>(s.size())); };
  if (wide(text) <= width) return std::string(text);
  // Halving first keeps a long text from being measured once per character it loses.
  std::string_view kept = text;
  while (kept.size() > 20 && wide(kept) > width) kept = kept.substr(0, kept.size() / 2);
  const int32_t dots = wide("...");
  while (!kept.empty() && wide(kept) + dots > width) kept.remove_suffix(1);
  std::string result(kept);
  result += "...";
  while (!result.empty() && wide(result) > width) result.pop_back();
  return result;
}

namespace {

int32_t measure_in_dc(void* context, const char* text, int32_t length) {
  SIZE size = {};
  GetTextExtentPoint32A(static_cast<HDC>(context), text, length, &size);
  return size.cx;
}

}  // namespace

std::string fitted_text(HDC dc, std::string_view text, int32_t width) {
  return fitted_text(text, width, measure_in_dc, dc);
}

void draw_fitted_text(HDC dc, std::string_view text, int32_t x, int32_t y, int32_t width) {
  std::string shown = fitted_text(dc, text, width);
  if (!shown.empty()) TextOutA(dc, x, y, shown.data(), static_cast<int>(shown.size()));
}

}  // namespace ql
