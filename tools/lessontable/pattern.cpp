// Pattern pieces, alternative expansion and the engine's cutting of a pattern into lines and segments.
#include "lessontable/pattern.h"

#include <algorithm>

#include "lessontable/engine_text.h"

namespace lessontable {

Pattern read_pattern(std::string_view text) {
  Pattern pattern;
  if (!text.empty() && text.front() == '@') {
    pattern.left_aligned = true;
    text.remove_prefix(1);
  }
  std::string literal;
  for (size_t i = 0; i < text.size(); ++i) {
    size_t close = text[i] == '(' ? text.find(')', i) : std::string_view::npos;
    if (close == std::string_view::npos) {
      literal += text[i];
      continue;
    }
    if (!literal.empty()) pattern.pieces.push_back({std::move(literal), {}});
    literal.clear();
    std::string_view group = text.substr(i, close - i + 1);
    pattern.pieces.push_back({std::string(group), split_fields(group.substr(1, group.size() - 2), ",")});
    i = close;
  }
  if (!literal.empty()) pattern.pieces.push_back({std::move(literal), {}});
  return pattern;
}

uint64_t combination_count(const Pattern& pattern) {
  uint64_t count = 1;
  for (const PatternPiece& piece : pattern.pieces) {
    if (piece.alternatives.empty()) continue;
    if (count > UINT64_MAX / piece.alternatives.size()) return UINT64_MAX;
    count *= piece.alternatives.size();
  }
  return count;
}

std::string expand(const Pattern& pattern, uint64_t index, std::vector<std::string>* chosen) {
  std::string text;
  for (const PatternPiece& piece : pattern.pieces) {
    if (piece.alternatives.empty()) {
      text += piece.text;
      continue;
    }
    const std::string& alternative = piece.alternatives[index % piece.alternatives.size()];
    index /= piece.alternatives.size();
    text += alternative;
    if (chosen) chosen->push_back(alternative);
  }
  return text;
}

std::vector<std::vector<std::string>> display_segments(std::string_view expanded) {
  std::string text = replace_all(expanded, "_", "$_$");
  text = replace_all(text, " $$", "$");
  text = replace_all(text, "/$", "/");
  text = replace_all(text, "$/", "/");
  if (!text.empty() && text.front() == '$') text.erase(0, 1);
  std::vector<std::vector<std::string>> lines;
  for (const std::string& line : split_fields(text, "/")) lines.push_back(split_fields(line, "$"));
  return lines;
}

int gap_count(std::string_view expanded) {
  return static_cast<int>(std::count(expanded.begin(), expanded.end(), '_'));
}

}  // namespace lessontable
