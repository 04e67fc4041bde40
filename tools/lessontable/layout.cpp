// Layout parsing and the engine's box placement arithmetic.
#include "lessontable/layout.h"

#include <ctype.h>

#include "lessontable/engine_text.h"
#include "lessontable/text_width.h"

namespace lessontable {
namespace {

std::optional<int> parse_number(std::string_view text) {
  if (text.empty() || text.size() > 3) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (!isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::optional<LayoutPoint> parse_pair(std::string_view field, std::string_view separator) {
  size_t at = field.find(separator);
  if (at == std::string_view::npos) return std::nullopt;
  std::optional<int> first = parse_number(field.substr(0, at));
  std::optional<int> second = parse_number(field.substr(at + 1));
  if (!first || !second) return std::nullopt;
  return LayoutPoint{*first, *second};
}

int box_top(int percent) { return static_cast<int>(percent * kCanvasWidth * 3 / 400.0); }

int box_width(const std::string& caption) { return sentence_width(caption) + kBoxHeight; }

}  // namespace

std::optional<Layout> parse_layout(std::string_view cell, std::string& error) {
  std::vector<std::string> fields = split_fields(cell, ",");
  if (fields.empty()) {
    error = "the layout is empty: give 'X Y' positions (as in '20 72,50 72') or rows (as in '3*72,3*85')";
    return std::nullopt;
  }
  Layout layout;
  layout.positions = split_fields(fields[0], " ").size() == 2;
  for (size_t i = 0; i < fields.size(); ++i) {
    const std::string& field = fields[i];
    std::string place = "'" + field + "' (field " + std::to_string(i + 1) + ")";
    std::optional<LayoutPoint> point = parse_pair(field, layout.positions ? " " : "*");
    if (!point) {
      error =
          layout.positions
              ? place +
                    " is not a position: positions are two whole numbers separated by one space, as in '20 "
                    "72'"
              : place +
                    " is not a row: rows are COUNT*TOP with whole numbers, as in '3*72' (the first field " +
                    "decides: a position has exactly one space between X and Y, as in '20 72')";
      return std::nullopt;
    }
    if ((layout.positions && point->first > 100) || point->second > 100) {
      error = place + " leaves the canvas: per cent values run from 0 to 100";
      return std::nullopt;
    }
    if (!layout.positions && point->first == 0) {
      error = place + " is a row of no boxes: remove it";
      return std::nullopt;
    }
    layout.points.push_back(*point);
  }
  if (!layout.positions && layout.points.size() > kMaxGroups) {
    error = "the layout has " + std::to_string(layout.points.size()) +
            " rows, but only the first three are laid out: put the boxes in three rows or fewer";
    return std::nullopt;
  }
  return layout;
}

int group_width(const Layout& layout, const std::vector<std::string>& choices, size_t group) {
  size_t first = 0;
  for (size_t g = 0; g < group; ++g) first += layout.points[g].first;
  std::string captions;
  size_t count = layout.points[group].first;
  for (size_t i = first; i < first + count && i < choices.size(); ++i) captions += choices[i];
  return sentence_width(captions) + static_cast<int>(count) * kBoxHeight;
}

std::vector<Box> place_boxes(const Layout& layout, const std::vector<std::string>& choices) {
  std::vector<Box> boxes;
  if (layout.positions) {
    for (size_t i = 0; i < layout.points.size() && i < choices.size(); ++i) {
      int width = box_width(choices[i]);
      int left = static_cast<int>(layout.points[i].first * kCanvasWidth / 100.0 - width / 2.0);
      boxes.push_back({static_cast<int>(i), static_cast<int>(i), left, box_top(layout.points[i].second),
                       width, kBoxHeight});
    }
    return boxes;
  }
  size_t next = 0;
  for (size_t g = 0; g < layout.points.size(); ++g) {
    int count = layout.points[g].first;
    int gap = static_cast<int>((kBandWidth - group_width(layout, choices, g)) / (count + 1.0));
    int x = kBandLeft;
    for (int j = 0; j < count && next < choices.size(); ++j, ++next) {
      int width = box_width(choices[next]);
      boxes.push_back({static_cast<int>(next), static_cast<int>(g), x + gap, box_top(layout.points[g].second),
                       width, kBoxHeight});
      x += gap + width;
    }
  }
  return boxes;
}

}  // namespace lessontable
