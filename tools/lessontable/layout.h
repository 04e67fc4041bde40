// The layout cell (explicit positions or rows of boxes) and where the engine puts the choice boxes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lessontable {

constexpr int kCanvasWidth = 480;
constexpr int kCanvasHeight = 360;
constexpr int kBoxHeight = 34;  // the box height, and the padding added to a caption's width
constexpr int kBandLeft = 32;   // rows of boxes are spread over the band 32..448
constexpr int kBandWidth = 416;
constexpr int kMaxGroups = 3;  // the engine lays out the first three rows only

struct LayoutPoint {
  int first;   // X per cent (positions) or box count (rows)
  int second;  // Y per cent, the box top
};

struct Layout {
  bool positions = false;  // format A "X Y,..." rather than format B "count*top,..."
  std::vector<LayoutPoint> points;
};

struct Box {
  int choice;  // 0-based choice index
  int group;   // 0-based row group (format B) or position (format A)
  int left, top, width, height;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
};

// Parses the cell; nullopt with `error` set when it is not well formed.
std::optional<Layout> parse_layout(std::string_view cell, std::string& error);

// The width that row group `group` needs in the band: captions plus padding.
int group_width(const Layout& layout, const std::vector<std::string>& choices, size_t group);

// The boxes as the engine places them; expects as many places as choices.
std::vector<Box> place_boxes(const Layout& layout, const std::vector<std::string>& choices);

}  // namespace lessontable
