// Fitting text into a width.
#include "ui/fitted_text.h"

namespace ql {

namespace {

int32_t text_width(HDC dc, std::string_view text) {
  SIZE size = {0, 0};
  if (!text.empty()) GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

}  // namespace

std::string fitted_text(HDC dc, std::string_view text, int32_t width) {
  if (text_width(dc, text) <= width) return std::string(text);
  std::string fitted(text);
  while (fitted.size() > 20 && text_width(dc, fitted) > width) fitted.resize(fitted.size() / 2);
  const int32_t ellipsis = text_width(dc, "...");
  while (!fitted.empty() && text_width(dc, fitted) + ellipsis > width) fitted.pop_back();
  fitted += "...";
  while (!fitted.empty() && text_width(dc, fitted) > width) fitted.pop_back();
  return fitted;
}

void draw_fitted_text(HDC dc, std::string_view text, int32_t x, int32_t y, int32_t width) {
  std::string fitted = fitted_text(dc, text, width);
  if (!fitted.empty()) TextOutA(dc, x, y, fitted.data(), static_cast<int>(fitted.size()));
}

}  // namespace ql
