// Width tables measured by measure_widths.sh.
#include "lessontable/text_width.h"

namespace lessontable {
namespace {

constexpr int kWidths34[256] = {
#include "lessontable/liberation_sans_34.inc"
};

constexpr int kWidths18[256] = {
#include "lessontable/liberation_sans_18.inc"
};

int width(const int (&table)[256], std::string_view text) {
  int total = 0;
  for (char c : text) {
    int advance = table[static_cast<unsigned char>(c)];
    if (advance > 0) total += advance;
  }
  return total;
}

}  // namespace

bool is_printable(unsigned char byte) { return kWidths34[byte] >= 0; }

int sentence_width(std::string_view text) { return width(kWidths34, text); }

int note_width(std::string_view text) { return width(kWidths18, text); }

}  // namespace lessontable
