// Pattern syntax, alternative expansion and the engine's cutting of a pattern into lines and segments.
#include "lessontable/pattern.h"

#include <algorithm>

#include "lessontable/engine_text.h"

namespace lessontable {
namespace {

std::string quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

std::optional<std::string> group_error(std::string_view group, std::string_view content) {
  if (content.empty())
    return "the group " + quoted(group) + " is empty: give its alternatives, as in '(sports,sweets)'";
  if (is_blank(content.front()) || is_blank(content.back())) {
    return "the group " + quoted(group) +
           " has a space just inside its brackets, which keeps the engine from replacing it: remove the "
           "space";
  }
  if (content.find('/') != std::string_view::npos) {
    return "the group " + quoted(group) +
           " holds a '/': every alternative must keep the line count; move the line break out of the group";
  }
  if (content.find('_') != std::string_view::npos) {
    return "the group " + quoted(group) +
           " holds a gap '_': the answers cannot change with the alternative; move the gap out of the group";
  }
  for (const std::string& alternative : split_fields(content, ",")) {
    if (alternative.empty()) {
      return "the group " + quoted(group) + " has an empty alternative: remove the extra ','";
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<Pattern> parse_pattern(std::string_view text, std::string& error) {
  Pattern pattern;
  if (!text.empty() && text.front() == '@') {
    pattern.left_aligned = true;
    text.remove_prefix(1);
  }
  if (size_t dollar = text.find('$'); dollar != std::string_view::npos) {
    error = "'$' cuts the sentence into segments inside the engine and cannot be shown: remove it";
    return std::nullopt;
  }
  std::string literal;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ')') {
      error = "')' at character " + std::to_string(i + 1) + " has no '(' before it: remove it or add the '('";
      return std::nullopt;
    }
    if (text[i] != '(') {
      literal += text[i];
      continue;
    }
    size_t close = text.find(')', i);
    size_t nested = text.find('(', i + 1);
    if (close == std::string_view::npos) {
      error =
          "'(' at character " + std::to_string(i + 1) + " is never closed: add the ')' that ends the group";
      return std::nullopt;
    }
    if (nested < close) {
      error = "'(' at character " + std::to_string(nested + 1) +
              " opens a group inside a group: groups cannot be nested";
      return std::nullopt;
    }
    std::string_view group = text.substr(i, close - i + 1);
    std::string_view content = group.substr(1, group.size() - 2);
    if (std::optional<std::string> problem = group_error(group, content)) {
      error = *problem;
      return std::nullopt;
    }
    if (!literal.empty()) pattern.pieces.push_back({std::move(literal), {}});
    literal.clear();
    pattern.pieces.push_back({std::string(group), split_fields(content, ",")});
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

std::optional<std::vector<int>> baselines(int line_count) {
  switch (line_count) {
    case 1:
      return std::vector<int>{140};
    case 2:
      return std::vector<int>{120, 180};
    case 3:
      return std::vector<int>{110, 160, 210};
    case 4:
      return std::vector<int>{80, 130, 180, 230};
    case 5:
      return std::vector<int>{60, 107, 155, 202, 250};
    case 6:
      return std::vector<int>{60, 107, 155, 202, 250, 297};
    case 8:
    case 9:
    case 10: {
      std::vector<int> lines;
      for (int i = 0; i < line_count; ++i) lines.push_back(60 + 30 * i);
      return lines;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace lessontable
