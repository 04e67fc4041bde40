// The lesson window Cloze and its boxes: their instance layouts, the class list, the methods of Cloze and
// the helpers its files share.
#pragma once

#include "rules/canvas.h"
#include "rules/cells.h"
#include "support.h"

// The window's own state, behind the Applet fields.
struct Cloze {
  QlWindowBase window;
  QlString strip_font;  // font of the sentence and of the box captions
  int32_t strip_size;   // their size; also the boxes' height and padding
  int32_t layout_width;
  QlString text_font;  // font and size of the title line
  int32_t text_size;
  int32_t back_colour;
  int32_t box_colour;
  QlString voice;       // "rowan", "maren", "both" or empty
  QlString fault_flag;  // "Fault" once a wrong box was clicked on the item on show
  int32_t current_row;
  int32_t item_count;
  int32_t shown_count;
  QlArray* line_y;     // 0..10: baseline of display line i
  QlArray* top_line;   // 0..2: [1] set title, [2] status
  QlArray* segments;   // 0..39 x 0..1: text and colour name of segment k
  QlArray* line_info;  // 0..10 x 0..1: [0,0] line count; [i,0] segments of line i, [i,1] its x
  // The recording the "?" box of a listening test replays: the word and the speaker last heard.
  QlString replay_word;
  QlString replay_speaker;
  // Set by an editor command that changed the table, cleared by GET FILE and SAVE AS FILE: quitting then
  // asks whether to save.
  int32_t table_changed;
};

// A box of the BoxStrip control array.
struct SuperCan {
  QlCanvasBase canvas;
  QlString caption;     // shown, and reported on a click
  QlString light_edge;  // colour names of the top-left and bottom-right edges
  QlString dark_edge;
};

extern "C" {

// The window description qlimage writes for Cloze.
extern const uint8_t cloze_window[];

// Methods of Cloze. Strings are borrowed; a string result is a new reference.
void cloze_menus_select_main(QlObject* self, int32_t selection);
void cloze_menus_select_specials(QlObject* self, int32_t board);
void cloze_click_start(QlObject* self);
void cloze_go_to_the_next(QlObject* self);
void cloze_set_up_arrays(QlObject* self);
void cloze_dis_gap_lines(QlObject* self);
void cloze_display_top_line(QlObject* self);
void cloze_display_strips(QlObject* self);
void cloze_clear_them_all(QlObject* self);
void cloze_click_strip(QlObject* self, QlString caption, int32_t index);
void cloze_click_good(QlObject* self, QlString word);
void cloze_click_bad(QlObject* self);
void cloze_click_end(QlObject* self);
void cloze_make_question_mark(QlObject* self);
void cloze_show_big_notes(QlObject* self);
void cloze_show_logo(QlObject* self);
int32_t cloze_colour(QlObject* self, QlString name);
int32_t cloze_string_width(QlObject* self, QlString text, QlString font, int32_t size);
int32_t cloze_get_string_width(QlObject* self, QlString font);
void cloze_choose_font(QlObject* self, int32_t font_index);
QlString cloze_the_voice(QlObject* self);
void cloze_play_sound(QlObject* self, QlString word);
void cloze_display_about_loquat(QlObject* self);
void cloze_display_about_articles(QlObject* self);
void cloze_display_about_proverbs(QlObject* self);
void cloze_display_about_sounds(QlObject* self);
void cloze_show_editor(QlObject* self);
bool cloze_cancel_close(QlObject* self);

}  // extern "C"

namespace loquat {

inline Cloze& state(QlObject* window) { return *reinterpret_cast<Cloze*>(window); }
inline SuperCan& box_state(QlObject* box) { return *reinterpret_cast<SuperCan*>(box); }

// The implicit instance of Cloze, with a reference for the caller: made on first use. Control handlers use
// open_cloze instead, which never makes one and answers nil once the window has closed.
QlObject* cloze_instance();
QlObject* open_cloze();

// The cells of a row and the canvas's geometry, shared with lessontable.
using rules::Cell;
using rules::kAnswers;
using rules::kCellCount;
using rules::kChoices;
using rules::kExplanation;
using rules::kExtra;
using rules::kLayout;
using rules::kNumber;
using rules::kPattern;
using rules::kSet;

// The window's arrays (cloze_arrays.cpp).
constexpr int32_t kSegmentLimit = rules::kMaxSegments;
constexpr int32_t kLineLimit = rules::kMaxLines;
Str segment_text(QlObject* window, int32_t k);
Str segment_colour(QlObject* window, int32_t k);
void set_segment(QlObject* window, int32_t k, QlString text, QlString colour);
void set_segment_text(QlObject* window, int32_t k, QlString text);
void set_segment_colour(QlObject* window, int32_t k, QlString colour);
int32_t line_info(QlObject* window, int32_t line, int32_t part);
void set_line_info(QlObject* window, int32_t line, int32_t part, int32_t value);
int32_t line_y(QlObject* window, int32_t line);
void set_line_y(QlObject* window, int32_t line, int32_t y);
Str top_line(QlObject* window, int32_t i);
void set_top_line(QlObject* window, int32_t i, QlString text);

// Controls (controls.cpp).
using rules::kBoxCount;  // BoxStrip 0 to 30
Obj box(QlObject* window, int32_t i);
// The item on show, one cell in each of the fields Fdb1 to Fdb8; the editor edits the row there.
QlString cell_field(Cell cell);
inline Str cell_text(QlObject* window, Cell cell) { return field_text(window, cell_field(cell)); }
inline void set_cell_text(QlObject* window, Cell cell, QlString text) {
  set_field_text(window, cell_field(cell), text);
}
QlObject* exercise_list(QlObject* window);
Obj canvas_graphics(QlObject* window);  // of bigCanvas
void fill_canvas(QlObject* window, QlObject* g, int32_t colour);
int32_t canvas_width(QlObject* window);
// Box placement shared by the first box, "next"/"end" and "?": top at 85 % of the layout height.
int32_t box_row_top(QlObject* window, double percent);
void size_box(QlObject* window, QlObject* box, QlString caption);
void set_box_caption(QlObject* box, QlString caption);
void place_first_box(QlObject* window, QlObject* box, QlString width_from);
// Explanations and introductions break lines at "/"; edit fields at a line feed.
Str with_line_breaks(QlString text);

// Rows of the exercise table (item_next.cpp).
void load_row(QlObject* window, int32_t row);
void empty_fields(QlObject* window);

// Sounds (listening.cpp): a resource by number, a word's recording by a speaker ("maren", else "rowan"),
// and the "play" box of a listening test.
void play_resource(int32_t number);
void play_recording(QlObject* window, QlString word, QlString speaker);
void play_test_word(QlObject* window);

// Draws picture resource `number` at its own size (screens.cpp).
void draw_picture(QlObject* g, int32_t number, int32_t x, int32_t y);

// Hiding the credits picture the first time a lesson or board is chosen (lesson_open.cpp).
void hide_credits(QlObject* window);

}  // namespace loquat
