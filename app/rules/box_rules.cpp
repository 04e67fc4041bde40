// The layout cell (explicit positions "X Y,..." or rows "count*top,...") and the boxes as the engine places
// them at the normal 480 x 360 layout: every choice placed, rows that fit their band, boxes inside the
// canvas, apart from each other and below the sentence.
#include "row_rules.h"
#include "text_widths.h"

namespace loquat::rules {

namespace {

constexpr int kMaxOverlapReports = 3;

struct Point {
  int first;   // X per cent (positions) or box count (rows)
  int second;  // Y per cent, the box top
};

struct Layout {
  bool positions = false;
  int count = 0;  // fields; the first kChoiceBoxes are kept
  Point points[kChoiceBoxes];
};

struct Box {
  int choice;  // 0-based
  int left, top, width;
  int right() const { return left + width; }
  int bottom() const { return top + kStripSize; }
};

bool parse_pair(Span field, char separator, Point& point) {
  int at = find(field, separator);
  if (at < 0) return false;
  point.first = whole_number(field.sub(0, at), 3);
  point.second = whole_number(field.sub(at + 1), 3);
  return point.first >= 0 && point.second >= 0;
}

bool parse_layout(Span cell, Layout& layout, Message& error) {
  if (cell.empty()) {
    error << "the layout is empty: give 'X Y' positions (as in '20 72,50 72') or rows (as in '3*72,3*85')";
    return false;
  }
  layout.positions = count_fields(nth_field(cell, ",", 1), " ") == 2;
  Fields fields(cell, ",");
  for (Span field; fields.next(field); ++layout.count) {
    Point point;
    if (!parse_pair(field, layout.positions ? ' ' : '*', point)) {
      error << "'" << field << "' (field " << layout.count + 1 << ")";
      if (layout.positions) {
        error << " is not a position: positions are two whole numbers separated by one space, as in '20 72'";
      } else {
        error
            << " is not a row: rows are COUNT*TOP with whole numbers, as in '3*72' (the first field decides: "
               "a position has exactly one space between X and Y, as in '20 72')";
      }
      return false;
    }
    if ((layout.positions && point.first > 100) || point.second > 100) {
      error << "'" << field << "' (field " << layout.count + 1
            << ") leaves the canvas: per cent values run from 0 to 100";
      return false;
    }
    if (!layout.positions && point.first == 0) {
      error << "'" << field << "' (field " << layout.count + 1 << ") is a row of no boxes: remove it";
      return false;
    }
    if (layout.count < kChoiceBoxes) layout.points[layout.count] = point;
  }
  if (!layout.positions && layout.count > kMaxRowGroups) {
    error << "the layout has " << layout.count
          << " rows, but only the first three are laid out: put the boxes in three rows or fewer";
    return false;
  }
  return true;
}

int box_width(Span caption) { return sentence_width(caption) + kStripSize; }

bool check_count(const Layout& layout, int choices, Report& report) {
  int places = layout.count;  // rows are at most three, all kept
  if (!layout.positions) {
    places = 0;
    for (int g = 0; g < layout.count; ++g) places += layout.points[g].first;
  }
  if (places == choices) return true;
  if (layout.positions) {
    report.error(kLayout, Message() << "the layout gives " << places << " positions for " << choices
                                    << " choices: give one 'X Y' position per choice");
  } else {
    report.error(kLayout, Message() << "the rows hold " << places << " boxes for " << choices
                                    << " choices: make the counts add up to " << choices);
  }
  return false;
}

bool check_bands(const Layout& layout, Span choices, Report& report) {
  if (layout.positions) return true;
  bool fits = true;
  for (int g = 0, first = 0; g < layout.count; first += layout.points[g].first, ++g) {
    int width = boxes_width(choices, first, layout.points[g].first);
    if (width <= kBandWidth) continue;
    Message m;
    m << "row " << g + 1 << " of the boxes ('";
    for (int i = 0; i < layout.points[g].first; ++i)
      m << (i ? "," : "") << nth_field(choices, ",", first + i + 1);
    m << "') needs " << width << " px (captions plus 34 px a box), more than the " << kBandWidth
      << " px band: move a box to another row";
    report.error(kLayout, m);
    fits = false;
  }
  return fits;
}

// Expects as many places as choices.
int place_boxes(const Layout& layout, Span choices, Box (&boxes)[kChoiceBoxes]) {
  int placed = 0;
  if (layout.positions) {
    for (; placed < layout.count; ++placed) {
      int width = box_width(nth_field(choices, ",", placed + 1));
      int left = static_cast<int>(layout.points[placed].first * kCanvasWidth / 100.0 - width / 2.0);
      boxes[placed] = {placed, left, box_top(layout.points[placed].second, kCanvasWidth), width};
    }
    return placed;
  }
  for (int g = 0; g < layout.count; ++g) {
    int count = layout.points[g].first;
    int gap = static_cast<int>((kBandWidth - boxes_width(choices, placed, count)) / (count + 1.0));
    int x = kBandLeft;
    for (int j = 0; j < count; ++j, ++placed) {
      int width = box_width(nth_field(choices, ",", placed + 1));
      boxes[placed] = {placed, x + gap, box_top(layout.points[g].second, kCanvasWidth), width};
      x += gap + width;
    }
  }
  return placed;
}

Message& describe(Message& m, const Box& box, Span choices) {
  return m << "'" << nth_field(choices, ",", box.choice + 1) << "' (" << box.left << ".." << box.right()
           << " x " << box.top << ".." << box.bottom() << " px)";
}

bool overlap(const Box& a, const Box& b) {
  return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

void check_places(const Box* boxes, int count, Span choices, Report& report) {
  for (int i = 0; i < count; ++i) {
    const Box& box = boxes[i];
    Message m;
    m << "the box ";
    describe(m, box, choices);
    if (box.left < 0 || box.right() > kCanvasWidth) {
      report.error(kLayout, m << " leaves the 480 px canvas: move it towards the middle");
    } else if (box.bottom() > kCanvasHeight) {
      report.error(kLayout, m << " runs off the bottom of the 360 px canvas: put it higher");
    }
  }
  int reported = 0;
  for (int i = 0; i < count; ++i) {
    for (int j = i + 1; j < count && reported < kMaxOverlapReports; ++j) {
      if (!overlap(boxes[i], boxes[j])) continue;
      ++reported;
      Message m;
      m << "the boxes ";
      describe(m, boxes[i], choices) << " and ";
      describe(m, boxes[j], choices) << " overlap: move them apart";
      report.error(kLayout, m);
    }
  }
}

void check_clear_of_sentence(const Box* boxes, int count, const PatternFacts& pattern, Report& report) {
  if (count == 0 || pattern.last_text_line == 0) return;
  int line = baseline(pattern.line_count, pattern.last_text_line);
  if (line == 0) return;
  int text_bottom = line + kTextDescent;
  int top = boxes[0].top;
  for (int i = 1; i < count; ++i) top = boxes[i].top < top ? boxes[i].top : top;
  if (text_bottom <= top) return;
  report.error(kLayout, Message() << "the top boxes (at " << top << " px) cover line "
                                  << pattern.last_text_line << " of the sentence (its text reaches "
                                  << text_bottom << " px): use fewer lines or put the boxes lower");
}

}  // namespace

int boxes_width(Span choices, int first, int count) {
  int width = 0;
  int total = count_fields(choices, ",");
  for (int i = first; i < first + count && i < total; ++i)
    width += sentence_width(nth_field(choices, ",", i + 1));
  return width + count * kStripSize;
}

void check_layout(const Row& row, const PatternFacts& pattern, Report& report) {
  const Span choices = row.cells[kChoices];
  Layout layout;
  Message error;
  if (!parse_layout(row.cells[kLayout], layout, error)) {
    report.error(kLayout, error);
    return;
  }
  if (!check_count(layout, count_fields(choices, ","), report) || !check_bands(layout, choices, report))
    return;
  Box boxes[kChoiceBoxes];
  int count = place_boxes(layout, choices, boxes);
  check_places(boxes, count, choices, report);
  check_clear_of_sentence(boxes, count, pattern, report);
}

}  // namespace loquat::rules
