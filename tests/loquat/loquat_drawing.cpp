// What the lesson canvas and the boxes should show, drawn as reference drawings from the test's plan and
// compared with the screen: the title line, an item's sentence, the boxes' captions and the pictures.
#include "loquat_fixture.h"

namespace ql::loquat_tests {

namespace {

constexpr COLORREF kInk = RGB(0, 0, 100), kRed = RGB(255, 0, 0);
constexpr int kStripSize = 34;  // the size of the sentence and the captions, and the boxes' height
const char* const kTitleFace = "Times New Roman";  // "Times" 18
const char* const kStripFace = "Arial";            // "Helvetica"

// The title line's band, cleared from y 5 to 35 before the title is drawn at baseline 30.
constexpr int kBandTop = 5, kBandBottom = 35;
constexpr int kTitleMargin = 12;  // compared either side of the title's text

void draw_title(ReferenceDrawing& drawing, const std::string& text, int layout_width, int top) {
  const int width = drawing.text_width(text, kTitleFace, 18);
  drawing.text(text, (layout_width - width) / 2, 30 - top, kTitleFace, 18, kInk);
}

// The baselines of a sentence of n lines; none for 7 lines or more than 10.
std::vector<int> baselines(size_t n) {
  static const std::vector<std::vector<int>> few = {{},
                                                    {140},
                                                    {120, 180},
                                                    {110, 160, 210},
                                                    {80, 130, 180, 230},
                                                    {60, 107, 155, 202, 250},
                                                    {60, 107, 155, 202, 250, 297}};
  if (n < few.size()) return few[n];
  std::vector<int> lines;
  for (size_t i = 0; i < n && n >= 8 && n <= 10; ++i) lines.push_back(60 + 30 * static_cast<int>(i));
  return lines;
}

// Each way the pattern's alternatives "(x,y,z)" can be filled in.
std::vector<std::string> variants(const std::string& pattern) {
  size_t open = pattern.find('('), close = pattern.find(')', open);
  if (open == std::string::npos || close == std::string::npos) return {pattern};
  std::vector<std::string> all;
  for (const std::string& choice : split(pattern.substr(open + 1, close - open - 1), ','))
    for (const std::string& rest : variants(pattern.substr(close + 1)))
      all.push_back(pattern.substr(0, open) + choice + rest);
  return all;
}

// Lines centred on the canvas (or from x 40 after a leading "@"), drawn piece by piece: the open gaps "_" in
// red, the rest in ink.
void draw_sentence(ReferenceDrawing& drawing, std::string text, int canvas_width, int top) {
  const bool from_left = !text.empty() && text[0] == '@';
  if (from_left) text.erase(0, 1);
  const std::vector<std::string> lines = split(text, '/');
  const std::vector<int> at = baselines(lines.size());
  for (size_t i = 0; i < lines.size() && i < at.size(); ++i) {
    int x = from_left ? 40 : (canvas_width - drawing.text_width(lines[i], kStripFace, kStripSize)) / 2;
    const std::vector<std::string> pieces = split(lines[i], '_');
    for (size_t p = 0; p < pieces.size(); ++p) {
      if (p > 0) x += drawing.text("_", x, at[i] - top, kStripFace, kStripSize, kRed);
      x += drawing.text(pieces[p], x, at[i] - top, kStripFace, kStripSize, kInk);
    }
  }
}

}  // namespace

std::string picture_file(const std::string& name) {
  return harness::windows_path_of_unix(QL_PICTURES_DIR) + "\\" + name;
}

// The child windows over the canvas that show now, which the canvas's own drawing lies under.
std::vector<RECT> Loquat::covering() const {
  std::vector<RECT> shown;
  for (int index = kBigNoteField; index < kControlCount; ++index)
    if (index != kCreditsCanvas && index != kBigCanvas && is_visible(control(index)))
      shown.push_back(window_rect(control(index)));
  return shown;
}

void Loquat::expect_title(const std::string& text, Where where) {
  RECT canvas = client_rect_on_screen(control(kBigCanvas));
  // The band around the text, as far as the title clears it: what a picture left beyond is not the title's.
  ReferenceDrawing sizing({0, 0, 1, 1}, kWhite);
  const int width = sizing.text_width(text, kTitleFace, 18),
            left = (layout_width_ - width) / 2 - kTitleMargin;
  ReferenceDrawing title({canvas.left + left, canvas.top + kBandTop,
                          canvas.left + left + width + 2 * kTitleMargin, canvas.top + kBandBottom},
                         kWhite);
  draw_title(title, text, layout_width_ - 2 * left, kBandTop);
  expect_drawn(title, "the title line \"" + text + "\"", 24, {}, where);
}

void Loquat::expect_canvas(const std::string& picture, int x, int y, const std::string& title, Where where) {
  RECT canvas = client_rect_on_screen(control(kBigCanvas));
  ReferenceDrawing drawing(canvas, kWhite);
  EXPECT_TRUE(picture.empty() || drawing.picture(picture_file(picture), x, y)) << picture;
  if (!title.empty()) draw_title(drawing, title, layout_width_, 0);
  expect_drawn(
      drawing,
      "the canvas with " + (picture.empty() ? "no picture" : picture) + " and the title \"" + title + "\"",
      24, covering(), where);
}

bool Loquat::sentence_drawn(const PlannedRow& row, const ScreenCapture& screen) {
  RECT canvas = client_rect_on_screen(control(kBigCanvas));
  const std::vector<RECT> skipped = covering();
  for (const std::string& text : variants(row.pattern)) {
    ReferenceDrawing drawing({canvas.left, canvas.top + kBandBottom, canvas.right, canvas.bottom}, kWhite);
    draw_sentence(drawing, text, width_of(canvas), kBandBottom);
    if (pixels_differing(drawing, screen, 24, skipped, nullptr, true) == 0) return true;
  }
  return false;
}

bool Loquat::box_shows(int i, const std::string& caption, const ScreenCapture& screen) const {
  if (!is_visible(box(i))) return false;
  // Inside the box's edges: its fill and the caption at (17, 27), "$" drawn as two spaces.
  RECT r = client_rect_on_screen(box(i));
  ReferenceDrawing drawing({r.left + 2, r.top + 2, r.right - 1, r.bottom - 1}, kWhite);
  std::string text = caption;
  for (size_t at; (at = text.find('$')) != std::string::npos;) text.replace(at, 1, "  ");
  drawing.text(text, kStripSize / 2 - 2, kStripSize * 8 / 10 - 2, kStripFace, kStripSize, kInk);
  return pixels_differing(drawing, screen, 24, {}, nullptr, true) == 0;
}

void Loquat::expect_captions(const std::vector<std::string>& captions, Where where) {
  ScreenCapture screen(client_rect_on_screen(main_));
  for (size_t i = 0; i < captions.size(); ++i) {
    if (!box_shows(static_cast<int>(i) + 1, captions[i], screen))
      fail("box " + std::to_string(i + 1) + " does not show \"" + captions[i] + "\"", where);
  }
}

const PlannedRow* Loquat::item_on_show(const std::vector<PlannedRow>& rows, Where where) {
  ScreenCapture screen(client_rect_on_screen(main_));
  for (const PlannedRow& row : rows) {
    const std::vector<std::string> choices = split(row.choices, ',');
    bool boxes = true;
    for (size_t i = 0; i < choices.size() && boxes; ++i)
      boxes = box_shows(static_cast<int>(i) + 1, choices[i], screen);
    if (boxes && sentence_drawn(row, screen)) return &row;
  }
  fail("the canvas and the boxes show none of the " + std::to_string(rows.size()) + " items of the lesson",
       where);
  return nullptr;
}

}  // namespace ql::loquat_tests
