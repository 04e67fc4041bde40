// Width tables measured by measure_widths.sh.
#include "text_widths.h"

namespace loquat::rules {

namespace {

constexpr int kWidths34[256] = {
#include "liberation_sans_34.inc"
};

constexpr int kWidths18[256] = {
#include "liberation_sans_18.inc"
};

int width(const int (&table)[256], Span text) {
  int total = 0;
  for (int i = 0; i < text.size; ++i) {
    int advance = table[static_cast<unsigned char>(text[i])];
    if (advance > 0) total += advance;
  }
  return total;
}

}  // namespace

bool is_printable(unsigned char byte) { return kWidths34[byte] >= 0; }

int sentence_width(Span text) { return width(kWidths34, text); }

int note_width(Span text) { return width(kWidths18, text); }

}  // namespace loquat::rules
