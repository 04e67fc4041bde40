// Box geometry as the engine computes it, at the normal 480 x 360 layout.
#include "lessontable/box_checker.h"

#include <algorithm>
#include <optional>

#include "lessontable/layout.h"
#include "lessontable/pattern.h"

namespace lessontable {
namespace {

constexpr int kMaxOverlapReports = 3;

std::string span(const Box& box) {
  return std::to_string(box.left) + ".." + std::to_string(box.right()) + " x " + std::to_string(box.top) +
         ".." + std::to_string(box.bottom()) + " px";
}

bool overlap(const Box& a, const Box& b) {
  return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

bool check_count(const Layout& layout, size_t choices, RowReport& report) {
  size_t places = 0;
  for (const LayoutPoint& point : layout.points) places += layout.positions ? 1 : point.first;
  if (places == choices) return true;
  std::string wanted = std::to_string(choices);
  if (layout.positions) {
    report.error(kLayout, "the layout gives " + std::to_string(places) + " positions for " + wanted +
                              " choices: give one 'X Y' position per choice");
  } else {
    report.error(kLayout, "the rows hold " + std::to_string(places) + " boxes for " + wanted +
                              " choices: make the counts add up to " + wanted);
  }
  return false;
}

bool check_bands(const Layout& layout, const std::vector<std::string>& choices, RowReport& report) {
  if (layout.positions) return true;
  bool fits = true;
  size_t first = 0;
  for (size_t g = 0; g < layout.points.size(); ++g) {
    int width = group_width(layout, choices, g);
    if (width > kBandWidth) {
      std::string captions;
      for (int i = 0; i < layout.points[g].first; ++i) captions += (i ? "," : "") + choices[first + i];
      report.error(kLayout, "row " + std::to_string(g + 1) + " of the boxes ('" + captions + "') needs " +
                                std::to_string(width) + " px (captions plus 34 px a box), more than the " +
                                std::to_string(kBandWidth) + " px band: move a box to another row");
      fits = false;
    }
    first += layout.points[g].first;
  }
  return fits;
}

void check_places(const std::vector<Box>& boxes, const std::vector<std::string>& choices, RowReport& report) {
  for (const Box& box : boxes) {
    const std::string name = "the box '" + choices[box.choice] + "' (" + span(box) + ")";
    if (box.left < 0 || box.right() > kCanvasWidth) {
      report.error(kLayout, name + " leaves the 480 px canvas: move it towards the middle");
    } else if (box.bottom() > kCanvasHeight) {
      report.error(kLayout, name + " runs off the bottom of the 360 px canvas: put it higher");
    }
  }
  int reported = 0;
  for (size_t i = 0; i < boxes.size(); ++i) {
    for (size_t j = i + 1; j < boxes.size() && reported < kMaxOverlapReports; ++j) {
      if (!overlap(boxes[i], boxes[j])) continue;
      ++reported;
      report.error(kLayout, "the boxes '" + choices[boxes[i].choice] + "' (" + span(boxes[i]) + ") and '" +
                                choices[boxes[j].choice] + "' (" + span(boxes[j]) +
                                ") overlap: move them apart");
    }
  }
}

void check_clear_of_sentence(const std::vector<Box>& boxes, const SentenceFacts& sentence,
                             RowReport& report) {
  std::optional<std::vector<int>> lines = baselines(sentence.line_count);
  if (boxes.empty() || !lines || sentence.last_text_line == 0) return;
  int text_bottom = (*lines)[sentence.last_text_line - 1] + kTextDescent;
  int top = std::min_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
              return a.top < b.top;
            })->top;
  if (text_bottom > top) {
    report.error(kLayout, "the top boxes (at " + std::to_string(top) + " px) cover line " +
                              std::to_string(sentence.last_text_line) +
                              " of the sentence (its text reaches " + std::to_string(text_bottom) +
                              " px): use fewer lines or put the boxes lower");
  }
}

}  // namespace

void check_boxes(const std::vector<std::string>& choices, const SentenceFacts& sentence, RowReport& report) {
  std::string error;
  std::optional<Layout> layout = parse_layout(report.cell(kLayout), error);
  if (!layout) {
    report.error(kLayout, error);
    return;
  }
  if (!check_count(*layout, choices.size(), report) || !check_bands(*layout, choices, report)) return;
  std::vector<Box> boxes = place_boxes(*layout, choices);
  check_places(boxes, choices, report);
  check_clear_of_sentence(boxes, sentence, report);
}

}  // namespace lessontable
