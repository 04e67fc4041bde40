// What a learner meets, mended: About screens before any lesson, menu texts as written, menus that say what
// is chosen, a font choice that keeps the screen and the item's fault, a score that counts faulted items,
// boxes drawn as boxes, and a preview from the editor that leaves the running lesson alone.
#include <algorithm>
#include <set>

#include "editor_fixture.h"

namespace ql::loquat_tests {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);

// Pixels that differ between two captures of the same rectangle.
int differing_pixels(const ScreenCapture& a, const ScreenCapture& b) {
  if (a.pixels().size() != b.pixels().size()) return static_cast<int>(a.pixels().size());
  int differ = 0;
  for (size_t i = 0; i < a.pixels().size(); ++i) {
    uint32_t p = a.pixels()[i], q = b.pixels()[i];
    differ +=
        colors_close(RGB(p >> 16, (p >> 8) & 0xFF, p & 0xFF), RGB(q >> 16, (q >> 8) & 0xFF, q & 0xFF), 24)
            ? 0
            : 1;
  }
  return differ;
}

int text_width_in(const std::string& text, HFONT font) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE extent = {};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, old);
  DeleteDC(dc);
  return extent.cx;
}

int text_width(const std::string& text, const std::string& face, int size) {
  HFONT font = CreateFontA(-size, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face.c_str());
  int width = text_width_in(text, font);
  DeleteObject(font);
  return width;
}

// A CALLBACK function, as an i386 lambda does not convert to the stdcall type.
int CALLBACK add_face(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM list) {
  reinterpret_cast<std::vector<std::string>*>(list)->push_back(font->lfFaceName);
  return 1;
}

// The faces the system reports, in its order, each once and without the vertical "@" faces.
std::vector<std::string> listed_faces() {
  std::vector<std::string> all;
  HDC screen = GetDC(nullptr);
  EnumFontsA(screen, nullptr, add_face, reinterpret_cast<LPARAM>(&all));
  ReleaseDC(nullptr, screen);
  std::vector<std::string> faces;
  std::set<std::string> seen;
  for (const std::string& face : all)
    if (face[0] != '@' && seen.insert(face).second) faces.push_back(face);
  return faces;
}

// A submenu's items and their marks as a person sees them: once it has opened.
std::vector<MenuItem> submenu_items(HWND window, const MenuPath& path) {
  if (!look_into_menus(window, path)) return {};
  std::optional<MenuItem> item = menu_item(window, path);
  return item && item->submenu ? menu_items(window, item->submenu) : std::vector<MenuItem>{};
}

// The first of the wanted faces the font menu lists.
std::string first_listed(const std::vector<MenuItem>& fonts, std::initializer_list<const char*> wanted) {
  for (const char* face : wanted)
    for (const MenuItem& font : fonts)
      if (font.label == face) return face;
  return {};
}

std::vector<std::string> checked_labels(const std::vector<MenuItem>& items) {
  std::vector<std::string> checked;
  for (const MenuItem& item : items)
    if (item.checked) checked.push_back(item.label);
  return checked;
}

// Dark pixels of a menu item's label between two offsets from its first ink, in the upper part of the row,
// where a "&" has its loops and an underline under a space has nothing.
int ink_between(const ScreenCapture& item, int from, int to) {
  const RECT r = item.rect();
  int first = -1;
  for (int x = r.left; x < r.right && first < 0; ++x)
    for (int y = r.top; y < r.bottom; ++y)
      if (colors_close(item.at({x, y}), kBlack, 90)) {
        first = x;
        break;
      }
  if (first < 0) return -1;
  int ink = 0;
  for (int x = first + from; x < first + to; ++x)
    for (int y = r.top; y < r.top + height_of(r) * 3 / 5; ++y)
      ink += colors_close(item.at({x, y}), kBlack, 90);
  return ink;
}

class LoquatMends : public Loquat {
 protected:
  // Boxes 1 to last that show on the canvas: ClearThemAll parks boxes above it, and a finished item shows
  // them there again.
  int boxes_on_show(int last) const {
    int shown = 0;
    for (int i = 1; i <= last; ++i) shown += is_visible(box(i)) && rect_in_parent(box(i)).top >= 0 ? 1 : 0;
    return shown;
  }
  bool choose_font(const std::string& face) {
    return choose_menu_item_by_keys(main_, {"File", "Font", face}, 10000) && settle(main_);
  }
  ScreenCapture canvas_capture() const { return ScreenCapture(client_rect_on_screen(control(kBigCanvas))); }
  // The logo of the practice lessons, at (118, 90) on the canvas.
  ScreenCapture logo_capture() const {
    RECT canvas = client_rect_on_screen(control(kBigCanvas));
    return ScreenCapture({canvas.left + 118, canvas.top + 90, canvas.left + 352, canvas.top + 183});
  }
};

TEST_F(LoquatMends, BeforeAnyLessonTheAboutScreensShowAndTheMenusSayWhatIsWrittenAndChosen) {
  // The credits cover the canvas; About Articles and About Sounds show their own pictures all the same.
  const ScreenCapture credits = canvas_capture();
  ASSERT_TRUE(choose({"Articles", "About Articles"}));
  const ScreenCapture articles = canvas_capture();
  EXPECT_GT(differing_pixels(credits, articles), 20000) << "About Articles does not show over the credits";
  ASSERT_TRUE(choose({"Sounds", "About Sounds"}));
  const ScreenCapture sounds = canvas_capture();
  EXPECT_GT(differing_pixels(articles, sounds), 20000) << "About Sounds does not show";

  // The font menu lists each face once, in the system's order, without the vertical "@" faces.
  std::vector<MenuItem> fonts = submenu_items(main_, {"File", "Font"});
  std::vector<std::string> labels;
  for (const MenuItem& font : fonts) labels.push_back(font.label);
  EXPECT_EQ(labels, listed_faces());
  // The sentence's face, "Helvetica", is checked only if the system lists it.
  const bool helvetica = std::find(labels.begin(), labels.end(), "Helvetica") != labels.end();
  EXPECT_EQ(checked_labels(fonts),
            helvetica ? std::vector<std::string>{"Helvetica"} : std::vector<std::string>{});
  const std::string face = first_listed(fonts, {"Arial", "Liberation Sans", "DejaVu Sans"});
  ASSERT_FALSE(face.empty());
  // Chosen over the About picture, a font is taken and the picture stays.
  EXPECT_TRUE(font_menu_enabled());
  ASSERT_TRUE(choose_font(face));
  EXPECT_LT(differing_pixels(sounds, canvas_capture()), 100) << "a font choice did not redraw About Sounds";
  ASSERT_TRUE(look_into_menu(main_, "File"));  // the checks are set as the menu opens
  EXPECT_EQ(checked_labels(submenu_items(main_, {"File", "Font"})), std::vector<std::string>{face});

  // The voice in use is checked: Rowan, until another is chosen.
  ASSERT_TRUE(look_into_menu(main_, "Sounds"));
  EXPECT_EQ(checked_labels(submenu_items(main_, {"Sounds", "Choose Voice"})),
            std::vector<std::string>{"Rowan"});
  ASSERT_TRUE(choose({"Sounds", "Choose Voice", "Maren"}));
  ASSERT_TRUE(look_into_menu(main_, "Sounds"));
  EXPECT_EQ(checked_labels(submenu_items(main_, {"Sounds", "Choose Voice"})),
            std::vector<std::string>{"Maren"});

  // "&" followed by no letter is shown as written: the platform holds "&&", the label reads "&", no key is
  // marked, and the "&" is drawn where "5 Some " ends.
  std::optional<MenuItem> some_any = menu_item(main_, {"Articles", "5 Some && Any"});
  ASSERT_TRUE(some_any);
  EXPECT_EQ(some_any->text, "5 Some && Any");
  EXPECT_EQ(some_any->label, "5 Some & Any");
  EXPECT_EQ(some_any->access_key, 0);
  std::optional<MenuItem> title = menu_item(main_, {"Articles"});
  ASSERT_TRUE(title && title->rect);
  click_at(center_of(*title->rect));
  ASSERT_TRUE(wait_until([&] { return !open_menus(main_).empty(); }, "the Articles menu to open"));
  std::optional<RECT> shown;
  for (const MenuItem& item : menu_items(main_, open_menus(main_)[0].menu))
    if (item.label == "5 Some & Any") shown = item.rect;
  ASSERT_TRUE(shown);
  const ScreenCapture drawn(*shown);
  close_menus(main_);
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  HFONT menu_font = CreateFontIndirectA(&metrics.lfMenuFont);
  const int before = text_width_in("5 Some ", menu_font), after = text_width_in("5 Some &", menu_font);
  DeleteObject(menu_font);
  EXPECT_GT(ink_between(drawn, before, after), 8) << "no \"&\" is drawn after \"5 Some \"";
}

TEST_F(LoquatMends, ATwoItemLessonKeepsItsFaultsThroughFontChoicesAndScoresTheItemsAnsweredWithoutOne) {
  // On the logo of a practice lesson, a font choice redraws the logo and keeps "start" alone. Fonts can be
  // chosen there, so the font submenu opens and lists them.
  ASSERT_TRUE(choose({"Articles", "6  Practice"}));
  std::vector<MenuItem> fonts = submenu_items(main_, {"File", "Font"});
  const std::string wide = first_listed(fonts, {"Arial", "Liberation Sans", "DejaVu Sans"});
  const std::string mono = first_listed(fonts, {"Courier New", "Liberation Mono", "DejaVu Sans Mono"});
  ASSERT_FALSE(wide.empty());
  ASSERT_FALSE(mono.empty());
  const ScreenCapture logo = logo_capture();
  ASSERT_TRUE(choose_font(mono));
  EXPECT_LT(differing_pixels(logo, logo_capture()), 100) << "the logo is not drawn again";
  EXPECT_EQ(boxes_on_show(8), 1);
  ASSERT_TRUE(click_first_box());
  EXPECT_FALSE(trimmed(fdb(4)).empty()) << "\"start\" did not start the lesson";
  EXPECT_EQ(height_of(rect_in_parent(box(1))), 30) << "the boxes are not in the chosen font's size";

  // "12 Illnesses" has two items. The first is answered without a fault.
  ASSERT_TRUE(choose({"Articles", "12  Illnesses"}));
  ASSERT_EQ(pool().size(), 2u);
  ASSERT_TRUE(click_first_box());  // "examples"
  ASSERT_TRUE(answer_item());
  ASSERT_EQ(pool().size(), 1u);
  // A font chosen on the finished item keeps "next" and "?" and nothing else.
  const bool with_note = fdb(6).size() > 5;
  ASSERT_TRUE(choose_font(wide));
  EXPECT_EQ(boxes_on_show(8), with_note ? 2 : 1);
  EXPECT_TRUE(is_visible(box(1)));
  ASSERT_TRUE(click_first_box());  // "next"
  const std::string second = trimmed(fdb(4));
  ASSERT_FALSE(second.empty()) << "\"next\" did not show the other item";

  // The other item: a wrong box, a font chosen, then the right boxes. The fault stays: it comes back.
  const std::string expected = trimmed(fdb(4));
  const std::vector<std::string> choices = split(fdb(5), ',');
  int wrong = 0;
  for (int i = 1; i <= static_cast<int>(choices.size()) && !wrong; ++i)
    if (trimmed(choices[i - 1]) != trimmed(split(expected, ',')[0])) wrong = i;
  ASSERT_GT(wrong, 0);
  ASSERT_TRUE(click(box(wrong)));
  ASSERT_TRUE(choose_font(mono));
  EXPECT_EQ(height_of(rect_in_parent(box(1))), 30);
  ASSERT_TRUE(answer_item());
  EXPECT_EQ(pool().size(), 1u) << "the faulted item left the pool after a font choice";
  // Eleven more showings with a fault, then one without: fourteen showings of two items, which "2 x items -
  // showings" once scored "-10 correct.", a title too wide for "1 correct.".
  for (int showing = 2; showing <= 13 && pool().size() == 1; ++showing) {
    ASSERT_TRUE(click_first_box());  // "next"
    ASSERT_TRUE(answer_item(showing < 13));
  }
  ASSERT_TRUE(pool().empty());
  expect_title("Articles 12 - ILLNESSES - 2 items, 1 correct.");

  // The "end" box: sized for its own caption, centred, and with a top edge that shows on the white canvas.
  const RECT end = rect_in_parent(box(1));
  const int size = height_of(end);
  EXPECT_NEAR(width_of(end), text_width("end", mono, size) + size, 2);
  EXPECT_NEAR((end.left + end.right) / 2, 240, 2);
  const COLORREF top_edge = screen_pixel(to_screen(box(1), {width_of(end) / 2, 1}));
  EXPECT_FALSE(colors_close(top_edge, kWhite, 20)) << "the box's light edge is lost on the white canvas";
  EXPECT_FALSE(colors_close(top_edge, RGB(140, 140, 140), 20)) << "the light edge reads as the dark one";
}

TEST_F(LoquatAuthor, APreviewedRowLeavesTheRunningLessonAsItWas) {
  ASSERT_TRUE(choose({"Articles", "1 Basic Rules"}));
  ASSERT_TRUE(click_first_box());  // "examples"
  const std::vector<std::string> lesson = pool();
  ASSERT_EQ(lesson.size(), 3u);
  // Row 0 previewed and answered without a fault: the lesson's pool and title stay.
  ASSERT_TRUE(double_click_in(control(kListBox), {40, 26}));
  settle(main_);
  ASSERT_EQ(fdb(1), "0");
  ASSERT_TRUE(answer_item());
  EXPECT_EQ(pool(), lesson);
  expect_title("Articles 1 - THE BASIC RULE - 3 items");
  // A fault in the preview is no fault of the lesson: taken on from "next", it ends with a perfect score.
  ASSERT_TRUE(double_click_in(control(kListBox), {40, 26}));
  settle(main_);
  ASSERT_TRUE(answer_item(true));
  EXPECT_EQ(pool(), lesson);
  for (int shown = 0; !pool().empty() && shown < 10; ++shown) {
    ASSERT_TRUE(click_first_box());  // "next"
    ASSERT_TRUE(answer_item());
  }
  ASSERT_TRUE(pool().empty());
  expect_title("Articles 1 - THE BASIC RULE - Perfect Score");
}

}  // namespace
}  // namespace ql::loquat_tests
