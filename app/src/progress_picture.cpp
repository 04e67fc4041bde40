// File > Progress: a picture over the lesson canvas, as the About pictures are, with one row for each lesson
// taken: its name, its last score as a bar (green for the items answered without a fault) and how often it
// was taken. It is drawn from the lines of the progress file.
#include "lesson_table.h"
#include "progress.h"

using namespace loquat;

namespace {

constexpr int32_t kMostRows = 64;
constexpr int32_t kOneColumn = 16;  // rows that fit one column

// The lessons in the order of the table, boards left out, then the two reviews; nil beyond them.
QlString title_of(int32_t entry) {
  int32_t lesson = 0;
  for (int32_t i = 0; i < kLessonCount; ++i) {
    if (kLessons[i].board) continue;
    if (lesson++ == entry) return kLessons[i].title;
  }
  if (entry == lesson) return review_title(kReviewArticles);
  if (entry == lesson + 1) return review_title(kReviewProverbs);
  return nullptr;
}

int32_t entry_of(QlString title) {
  for (int32_t entry = 0; entry < kMostRows; ++entry) {
    QlString known = title_of(entry);
    if (!known) break;
    if (StringStrCompare(known, title, 0) == 0) return entry;
  }
  return -1;
}

struct Taken {
  int32_t times[kMostRows];
  int32_t items[kMostRows];
  int32_t correct[kMostRows];
};

// One pass over the lines of the finished lessons, each "lesson", date, title, items, correct, rows.
void count_lessons(QlString history, Taken& taken) {
  Str tab = chr(9), cr = chr(13), lf = chr(10);
  Str line_end = cat(cr.get(), lf.get());
  int32_t length = StringLen(history);
  for (int32_t at = 1; at <= length;) {
    RuntimeBackgroundTask();
    int32_t end = StringInStr(at, history, line_end.get());
    if (end == 0) end = length + 1;
    Str line(StringMid3(history, at, end - at));
    at = end + 2;
    Str title = nth_field(line.get(), tab.get(), 3);
    int32_t entry = entry_of(title.get());
    if (entry < 0) continue;
    Str items = nth_field(line.get(), tab.get(), 4);
    Str correct = nth_field(line.get(), tab.get(), 5);
    taken.times[entry] += 1;
    taken.items[entry] = value_of(items.get());
    taken.correct[entry] = value_of(correct.get());
  }
}

// "Articles 6 - PRACTICE -" is named "Articles 6".
Str short_name(QlString title) {
  Str name = nth_field(title, QL_STR(" -"), 1);
  return trim(name.get());
}

Str times_text(int32_t times, bool short_form) {
  Str count = number_text(times);
  if (short_form) return cat(QL_STR("x"), count.get());
  if (times == 1) return Str::borrow(QL_STR("once"));
  return cat(count.get(), QL_STR(" times"));
}

struct RowPlace {
  int32_t label_x, bar_x, bar_width, count_x, baseline, text_size;
};

RowPlace place_of(int32_t row, int32_t rows) {
  if (rows <= kOneColumn) return {12, 200, 180, 390, 58 + 19 * row, 13};
  int32_t column = row < (rows + 1) / 2 ? 0 : 1;
  int32_t in_column = column ? row - (rows + 1) / 2 : row;
  int32_t left = column * 240;
  return {left + 6, left + 122, 80, left + 208, 54 + 16 * in_column, 10};
}

void draw_row(QlObject* window, QlObject* g, const RowPlace& place, QlString title, int32_t times,
              int32_t items, int32_t correct) {
  Cloze& cloze = state(window);
  graphicsTextFontSetter(g, 0, cloze.text_font);
  graphicsTextSizeSetter(g, 0, place.text_size);
  graphicsForeColorSetter(g, 0, cloze_colour(window, QL_STR("ink")));
  Str name = short_name(title);
  RuntimeGraphicsDrawString(g, name.get(), place.label_x, place.baseline, 0);
  Str count = times_text(times, place.text_size < 13);
  RuntimeGraphicsDrawString(g, count.get(), place.count_x, place.baseline, 0);
  int32_t top = place.baseline - place.text_size + 2;
  int32_t height = place.text_size - 2;
  graphicsForeColorSetter(g, 0, RuntimeRGB(220, 220, 220));
  RuntimeGraphicsFillRect(g, place.bar_x, top, place.bar_width, height);
  int32_t done = items > 0 ? int_of(static_cast<double>(place.bar_width) * correct / items) : 0;
  graphicsForeColorSetter(g, 0, cloze_colour(window, QL_STR("green")));
  if (done > 0) RuntimeGraphicsFillRect(g, place.bar_x, top, done, height);
}

}  // namespace

extern "C" void cloze_display_progress(QlObject* self) {
  hide_credits(self);
  Cloze& cloze = state(self);
  Taken taken = {};
  count_lessons(cloze.history, taken);
  int32_t rows = 0;
  for (int32_t entry = 0; entry < kMostRows && title_of(entry); ++entry)
    rows += taken.times[entry] > 0 ? 1 : 0;

  Obj g = canvas_graphics(self);
  fill_canvas(self, g.get(), RuntimeRGB(255, 255, 255));
  graphicsTextFontSetter(g.get(), 0, cloze.text_font);
  graphicsTextSizeSetter(g.get(), 0, cloze.text_size);
  graphicsForeColorSetter(g.get(), 0, cloze_colour(self, QL_STR("ink")));
  QlString heading =
      rows ? QL_STR("YOUR PROGRESS: LAST SCORE AND TIMES TAKEN") : QL_STR("No lesson finished yet.");
  int32_t width = cloze_string_width(self, heading, cloze.text_font, cloze.text_size);
  RuntimeGraphicsDrawString(g.get(), heading, int_of((canvas_width(self) - width) / 2.0), rows ? 30 : 180, 0);
  int32_t row = 0;
  for (int32_t entry = 0; entry < kMostRows && title_of(entry); ++entry) {
    if (!taken.times[entry]) continue;
    draw_row(self, g.get(), place_of(row++, rows), title_of(entry), taken.times[entry], taken.items[entry],
             taken.correct[entry]);
  }
  cloze.overlay = kProgressPicture;
}
