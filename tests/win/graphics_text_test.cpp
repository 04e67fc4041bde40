// Text through Graphics on a real canvas: baselines, word wrap, the font cache, the fonts Wine stands in
// for the classic face names, colours and fitted text.
#include <gtest/gtest.h>
#include <windows.h>

#include "quillet/graphics.h"
#include "ui/graphics/fitted_text.h"
#include "ui/graphics/font_cache.h"
#include "ui/graphics/graphics.h"
#include "ui/graphics/graphics_state.h"
#include "unit/files/file_test_support.h"
#include "win/support/ui_test_window.h"

namespace ql::testing {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A window holding one plain canvas at (10, 10), 300 by 120.
struct CanvasWindow {
  TestWindow window{{{ui_class("Canvas"), control_properties("Board", 10, 10, 300, 120)}}, 40, 40, 320, 140};
  Pane* pane() const { return window.pane("Board"); }
};

void set_font(QlObject* g, const char* name, int32_t size) {
  StringRef font = text_ref(name);
  graphicsTextFontSetter(g, 0, font.get());
  graphicsTextSizeSetter(g, 0, size);
}

int32_t width_of(QlObject* g, const std::string& text) {
  StringRef s = text_ref(text);
  return RuntimeGraphicsStringWidth(g, s.get());
}

// The first and last rows (inclusive) that hold a pixel far from white, or {-1, -1}.
std::pair<int, int> inked_rows(const driver::ScreenCapture& capture, int x0, int x1) {
  int first = -1, last = -1;
  for (int y = 0; y < capture.height(); ++y) {
    for (int x = x0; x < x1; ++x) {
      if (!driver::colors_close(pixel(capture, x, y), kWhite, 96)) {
        if (first < 0) first = y;
        last = y;
        break;
      }
    }
  }
  return {first, last};
}

TEST(GraphicsText, StringsStandOnTheirBaselineAndWrapBelowIt) {
  CanvasWindow w;
  ASSERT_NE(w.pane(), nullptr);
  Owned g(canvasGraphicsGetter(w.window.control("Board"), 0));
  ASSERT_NE(g.get(), nullptr);
  RuntimeGraphicsClearRect(g.get(), 0, 0, 300, 120);
  set_font(g.get(), "Arial", 20);
  graphicsForeColorSetter(g.get(), 0, 0x000000);
  StringRef capitals = text_ref("HELLO");
  RuntimeGraphicsDrawString(g.get(), capitals.get(), 10, 20, 0);
  int32_t ascent = RuntimeGraphicsTextAscent(g.get());
  int32_t height = RuntimeGraphicsTextHeight(g.get());
  EXPECT_GT(ascent, 12);
  EXPECT_GT(height, ascent);

  driver::ScreenCapture shot = capture(w.pane());
  ASSERT_TRUE(shot.ok());
  auto [top, bottom] = inked_rows(shot, 5, 120);
  // Capitals sit on the baseline: their lowest pixels are just above y = 20, their tops a cap height above.
  EXPECT_GE(bottom, 19);
  EXPECT_LE(bottom, 20);
  EXPECT_LT(top, 20 - 10);

  // Wrapped: the first line has the same baseline, the rest of the words fall onto lines below it.
  RuntimeGraphicsClearRect(g.get(), 0, 0, 300, 120);
  StringRef words = text_ref("HELL HELL HELL");
  RuntimeGraphicsDrawString(g.get(), words.get(), 150, 20, 80);
  shot = capture(w.pane());
  auto [wrap_top, wrap_bottom] = inked_rows(shot, 145, 240);
  EXPECT_EQ(wrap_top, top);
  EXPECT_GE(wrap_bottom, 19 + 2 * height - 1);
  auto [first_line_top, first_line_bottom] = inked_rows(shot, 5, 120);
  EXPECT_EQ(first_line_top, -1) << "the wrapped text starts at x = 150";
  // A null string draws nothing and measures 0.
  RuntimeGraphicsDrawString(g.get(), nullptr, 10, 20, 0);
  EXPECT_EQ(RuntimeGraphicsStringWidth(g.get(), nullptr), 0);
}

TEST(GraphicsText, FontsAreSharedPerNameSizeAndStyleAndSelectedAfterAChange) {
  CanvasWindow w;
  int32_t before = font_cache_size();
  Owned geneva(new_pane_graphics(w.pane()));
  Owned system(new_pane_graphics(w.pane()));
  Owned lower(new_pane_graphics(w.pane()));
  set_font(geneva.get(), "Geneva", 12);
  set_font(system.get(), "System", 12);
  set_font(lower.get(), "geneva", 12);
  int32_t geneva_width = width_of(geneva.get(), "Loquat lessons");
  EXPECT_EQ(font_cache_size(), before + 1);
  int32_t system_width = width_of(system.get(), "Loquat lessons");
  EXPECT_EQ(font_cache_size(), before + 2) << "Geneva and System are two entries";
  EXPECT_EQ(width_of(lower.get(), "Loquat lessons"), geneva_width);
  EXPECT_EQ(font_cache_size(), before + 2) << "names compare without case";
  // Both are made as MS Sans Serif.
  Owned sans(new_pane_graphics(w.pane()));
  set_font(sans.get(), "MS Sans Serif", 12);
  EXPECT_EQ(geneva_width, width_of(sans.get(), "Loquat lessons"));
  EXPECT_EQ(system_width, geneva_width);

  // A style is a font of its own; the old one goes back to the cache and is deleted with its last user.
  graphicsBoldSetter(lower.get(), 0, true);
  EXPECT_TRUE(graphicsBoldGetter(lower.get(), 0));
  EXPECT_GT(width_of(lower.get(), "Loquat lessons"), geneva_width);
  EXPECT_EQ(font_cache_size(), before + 4);
  geneva.reset();
  system.reset();
  sans.reset();
  EXPECT_EQ(font_cache_size(), before + 1);
  lower.reset();
  EXPECT_EQ(font_cache_size(), before);
}

// Widths of "Loquat lessons" at 34 pixels, the advance widths of the installed fonts summed without kerning
// (measured with ImageMagick from the font files, as tools/lessontable/measure_widths.sh does).
TEST(GraphicsText, ClassicFaceNamesMeasureAsTheirMetricCompatibleFonts) {
  CanvasWindow w;
  Owned g(new_pane_graphics(w.pane()));
  const struct {
    const char* name;
    int32_t width;
  } kFaces[] = {{"MS Sans Serif", 229},   {"Arial", 229}, {"Helvetica", 229},   {"System", 229},
                {"Times New Roman", 202}, {"Times", 202}, {"Courier New", 280}, {"Courier", 280},
                {"MS UI Gothic", 239},    {"Osaka", 239}};
  for (const auto& face : kFaces) {
    set_font(g.get(), face.name, 34);
    EXPECT_EQ(width_of(g.get(), "Loquat lessons"), face.width) << face.name;
  }
}

TEST(GraphicsText, ColoursReadBackAsTheyWereSetAndDrawInTheForeColour) {
  CanvasWindow w;
  Owned g(canvasGraphicsGetter(w.window.control("Board"), 0));
  graphicsForeColorSetter(g.get(), 0, 0x123456);
  EXPECT_EQ(graphicsForeColorGetter(g.get(), 0), 0x123456);
  graphicsForeColorSetter(g.get(), 0, 0xFF00FF);
  EXPECT_EQ(graphicsForeColorGetter(g.get(), 0), 0xFF00FF);
  graphicsForeColorSetter(g.get(), 0, 0x2080C0);
  RuntimeGraphicsFillRect(g.get(), 0, 0, 40, 30);
  driver::ScreenCapture shot = capture(w.pane());
  EXPECT_EQ(pixel(shot, 20, 15), RGB(0x20, 0x80, 0xC0));
  EXPECT_NE(pixel(shot, 45, 15), RGB(0x20, 0x80, 0xC0)) << "the fill ends at x + width";

  // Every Graphics object of one canvas is the same, with a reference for each caller.
  Owned again(canvasGraphicsGetter(w.window.control("Board"), 0));
  EXPECT_EQ(again.get(), g.get());
  EXPECT_EQ(graphicsWidthGetter(g.get(), 0), 300);
  EXPECT_EQ(graphicsHeightGetter(g.get(), 0), 120);
}

TEST(GraphicsText, TooWideTextIsCutAndEndsInAnEllipsis) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = acquire_font("Arial", 18, 0);
  HGDIOBJ old = SelectObject(dc, font);
  auto width = [dc](const std::string& s) {
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, s.data(), static_cast<int>(s.size()), &size);
    return size.cx;
  };
  EXPECT_EQ(fitted_text(dc, "the cat", 200), "the cat");
  std::string cut = fitted_text(dc, "the cat sat on the mat", 100);
  ASSERT_GE(cut.size(), 4u);
  EXPECT_EQ(cut.substr(cut.size() - 3), "...");
  EXPECT_LE(width(cut), 100);
  EXPECT_GT(width(cut.substr(0, cut.size() - 3) + "t..."), 100) << "one character more would not fit";
  // A long text is halved first, so what remains starts with its first half.
  std::string long_text(200, 'x');
  std::string halved = fitted_text(dc, long_text, 60);
  EXPECT_LE(width(halved), 60);
  EXPECT_EQ(halved.substr(halved.size() - 3), "...");
  EXPECT_EQ(fitted_text(dc, "words", 1), "");
  SelectObject(dc, old);
  release_font(font);
  DeleteDC(dc);
}

TEST(GraphicsText, OneStateDrawsAtATimeWithItsOwnClipAndOrigin) {
  CanvasWindow w;
  Owned a(new_pane_graphics(w.pane())), b(new_pane_graphics(w.pane()));
  GraphicsState* first = graphics_state_of(a.get());
  GraphicsState* second = graphics_state_of(b.get());
  RuntimeGraphicsClearRect(a.get(), 0, 0, 300, 120);
  first->set_clip_region(CreateRectRgn(0, 0, 50, 50));
  graphicsForeColorSetter(a.get(), 0, 0xFF0000);
  RuntimeGraphicsFillRect(a.get(), 0, 0, 300, 120);
  EXPECT_EQ(current_graphics_state(), first);
  // The second state ends the first: its drawing is not held to the first one's clip.
  graphicsForeColorSetter(b.get(), 0, 0x0000FF);
  RuntimeGraphicsFillRect(b.get(), 100, 0, 100, 120);
  EXPECT_EQ(current_graphics_state(), second);
  RuntimeGraphicsFillRect(a.get(), 100, 0, 50, 120);  // clipped away entirely
  second->origin_x = 50;
  graphicsForeColorSetter(b.get(), 0, 0x00FF00);
  RuntimeGraphicsFillRect(b.get(), 260, 100, 10, 10);  // lands at x = 210
  driver::ScreenCapture shot = capture(w.pane());
  EXPECT_EQ(current_graphics_state(), nullptr);
  EXPECT_EQ(pixel(shot, 25, 25), RGB(255, 0, 0));
  EXPECT_EQ(pixel(shot, 75, 25), kWhite);
  EXPECT_EQ(pixel(shot, 25, 75), kWhite);
  EXPECT_EQ(pixel(shot, 125, 60), RGB(0, 0, 255));
  EXPECT_EQ(pixel(shot, 215, 105), RGB(0, 255, 0));
  EXPECT_EQ(pixel(shot, 265, 105), kWhite);
}

}  // namespace
}  // namespace ql::testing
