// The lesson canvas's geometry in the window's ordinary layout: its size, the boxes, the rows they are
// spread over and the baselines of the sentence's lines.
#pragma once

namespace loquat::rules {

constexpr int kCanvasWidth = 480;
constexpr int kCanvasHeight = 360;
constexpr int kStripSize = 34;  // the sentence's and captions' size, the box height and a box's padding
constexpr int kTitleSize = 18;

constexpr int kBoxCount = 31;      // BoxStrip 0 to 30; box i carries choice i
constexpr int kClearedBoxes = 15;  // between items, boxes 0 to 15 are hidden and parked
constexpr int kParkedTop = -50;

// Rows of boxes ("count*top") are spread over a band, whatever the layout width; three rows at most.
constexpr int kBandLeft = 32;
constexpr int kBandWidth = 416;
constexpr int kMaxRowGroups = 3;

// The first box (and "next", "end") stands centred at 85 % of the layout height; "?" ends at 15 % of its
// width. A leading "@" starts every line at x 40.
constexpr int kFirstBoxRowPercent = 85;
constexpr int kQuestionBoxRightPercent = 15;
constexpr int kLeftAlignedX = 40;
constexpr int kTitleBaseline = 30;

constexpr int kMaxLines = 10;     // display lines the engine keeps
constexpr int kMaxSegments = 39;  // text runs and gaps it keeps
constexpr int kTextDescent = 8;   // pixels below the baseline that 34-pixel text reaches

// A box's top: per cent of the layout height, which is three quarters of the layout width.
constexpr int box_top(double percent, int layout_width) {
  return static_cast<int>(percent * layout_width * 3 / 400);
}

// The baseline of line `line` (1-based) of a pattern of `lines` lines; 0 for the counts the engine sets no
// baselines for (7, 11 and more than 11) and for a line beyond the count. Not inline: a 32-bit Windows
// image cannot take the COMDAT copy that gcc would make of it.
int baseline(int lines, int line);

}  // namespace loquat::rules
