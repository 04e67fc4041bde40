// Sentence patterns: the alternative groups, and the lines and segments the engine makes of a pattern.
#pragma once

#include <stdint.h>

#include <string>
#include <string_view>
#include <vector>

namespace lessontable {

// A run of literal text, or (when `alternatives` is not empty) a group "(x,y,z)" of which one is shown.
struct PatternPiece {
  std::string text;
  std::vector<std::string> alternatives;
};

struct Pattern {
  bool left_aligned = false;  // a leading "@": lines start at x 40 instead of being centred
  std::vector<PatternPiece> pieces;
};

// The pieces of a pattern whose syntax the shared rules found sound (loquat::rules::check_pattern).
Pattern read_pattern(std::string_view text);

// The number of ways to choose the alternatives (saturating at UINT64_MAX).
uint64_t combination_count(const Pattern& pattern);

// The text shown for combination `index` (0 .. combination_count - 1), without the "@"; `chosen` receives
// the alternatives picked, in order.
std::string expand(const Pattern& pattern, uint64_t index, std::vector<std::string>* chosen = nullptr);

// The display lines of an expanded text, each a list of segments; a segment "_" is an open gap.
std::vector<std::vector<std::string>> display_segments(std::string_view expanded);

int gap_count(std::string_view expanded);

}  // namespace lessontable
