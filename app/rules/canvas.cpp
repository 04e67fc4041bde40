// The baselines the engine gives the lines of a pattern.
#include "canvas.h"

namespace loquat::rules {

int baseline(int lines, int line) {
  static constexpr int kShort[7][6] = {
      {},
      {140},
      {120, 180},
      {110, 160, 210},
      {80, 130, 180, 230},
      {60, 107, 155, 202, 250},
      {60, 107, 155, 202, 250, 297},
  };
  if (line < 1 || line > lines) return 0;
  if (lines <= 6) return kShort[lines][line - 1];
  if (lines >= 8 && lines <= kMaxLines) return 60 + 30 * (line - 1);
  return 0;
}

}  // namespace loquat::rules
