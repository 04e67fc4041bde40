// A finished lesson recorded: its line with the date, title, items, score and the rows that had a fault;
// those rows put first among the mistakes of their kind; a row a review sees answered without a fault taken
// off its list at once. And the pool a review opens with.
#include "progress.h"

using namespace loquat;

namespace {

constexpr int32_t kReviewRows = 20;     // the rows a review opens with
constexpr int32_t kKeptMistakes = 200;  // the rows kept for each review

Str two_digits(int32_t n) {
  Str digits = number_text(n);
  return n < 10 ? cat(QL_STR("0"), digits.get()) : static_cast<Str&&>(digits);
}

// "YYYY-MM-DD HH:MM", local time, from the days since 1904 (the civil calendar from a day count).
Str date_now() {
  double total = RuntimeTotalSeconds();
  int32_t days = int_of(total / 86400.0);
  int32_t seconds = int_of(total - days * 86400.0);
  int32_t z = days - 24107 + 719468;  // days since 0000-03-01; 1970-01-01 is day 24107 from 1904
  int32_t era = z / 146097;
  int32_t of_era = z - era * 146097;
  int32_t year_of_era = (of_era - of_era / 1460 + of_era / 36524 - of_era / 146096) / 365;
  int32_t of_year = of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  int32_t month_from_march = (5 * of_year + 2) / 153;
  int32_t day = of_year - (153 * month_from_march + 2) / 5 + 1;
  int32_t month = month_from_march < 10 ? month_from_march + 3 : month_from_march - 9;
  int32_t year = year_of_era + era * 400 + (month <= 2 ? 1 : 0);
  Str y = number_text(year), m = two_digits(month), d = two_digits(day);
  Str h = two_digits(seconds / 3600), mi = two_digits(seconds % 3600 / 60);
  Str ymd = cat(y.get(), QL_STR("-"), m.get());
  ymd = cat(ymd.get(), QL_STR("-"), d.get());
  Str hm = cat(h.get(), QL_STR(":"), mi.get());
  return cat(ymd.get(), QL_STR(" "), hm.get());
}

QlString& mistakes_of(Cloze& cloze, int32_t review) {
  return review == kReviewProverbs ? cloze.proverbs_mistakes : cloze.articles_mistakes;
}

Str lesson_line(QlObject* window) {
  Cloze& cloze = state(window);
  Str t = chr(9), cr = chr(13), lf = chr(10);
  int32_t faulted = count_fields(cloze.faulted_rows, QL_STR(" "));
  Str date = date_now();
  Str title = top_line(window, 1);
  Str items = number_text(cloze.item_count);
  Str correct = number_text(cloze.item_count - faulted);
  Str line = cat(QL_STR("lesson"), t.get(), date.get());
  line = cat(line.get(), t.get(), title.get());
  line = cat(line.get(), t.get(), items.get());
  line = cat(line.get(), t.get(), correct.get());
  line = cat(line.get(), t.get(), cloze.faulted_rows);
  return cat(line.get(), cr.get(), lf.get());
}

}  // namespace

namespace loquat {

int32_t review_of_row(QlObject* window, QlString row) {
  if (is_empty(row)) return kNoReview;
  int32_t number = value_of(row);
  QlObject* list = exercise_list(window);
  if (number < 0 || number >= listCountGetter(list, 0)) return kNoReview;
  Str code(listGetCell(list, number, 1));
  if (starts_with(code.get(), QL_STR("a"))) return kReviewArticles;
  if (starts_with(code.get(), QL_STR("p"))) return kReviewProverbs;
  return kNoReview;
}

QlString review_title(int32_t review) {
  return review == kReviewProverbs ? QL_STR("REVIEW PROVERBS -") : QL_STR("REVIEW ARTICLES -");
}

Str review_pool(QlObject* window, int32_t review) {
  QlString mistakes = mistakes_of(state(window), review);
  Str pool;
  int32_t n = count_fields(mistakes, QL_STR(" "));
  for (int32_t i = 1; i <= n && count_fields(pool.get(), QL_STR(" ")) < kReviewRows; ++i) {
    Str row = nth_field(mistakes, QL_STR(" "), i);
    // A row that no longer is of its kind (an edited table) is left out.
    if (review_of_row(window, row.get()) == review) pool = with_row_last(pool.get(), row.get());
  }
  return pool;
}

// Kept at once, so that a review left before its end still takes the rows answered off the list.
void review_answered(QlObject* window, QlString row) {
  Cloze& cloze = state(window);
  if (cloze.review == kNoReview || cloze.previewing || has_row(cloze.faulted_rows, row)) return;
  QlString& list = mistakes_of(cloze, cloze.review);
  if (!has_row(list, row)) return;
  Str rest = without_row(list, row);
  store(list, rest.get());
  save_progress(window);
}

void record_lesson(QlObject* window) {
  Cloze& cloze = state(window);
  if (is_empty(cloze.lesson_rows)) return;
  Str line = lesson_line(window);
  Str history = cat(cloze.history, line.get());
  store(cloze.history, history.get());

  int32_t faulted = count_fields(cloze.faulted_rows, QL_STR(" "));
  for (int32_t i = 1; i <= faulted; ++i) {
    Str row = nth_field(cloze.faulted_rows, QL_STR(" "), i);
    int32_t review = review_of_row(window, row.get());
    if (review == kNoReview) continue;
    QlString& list = mistakes_of(cloze, review);
    Str first = with_row_first(list, row.get());
    store(list, first.get());
  }
  const int32_t reviews[] = {kReviewArticles, kReviewProverbs};
  for (int32_t review : reviews) {
    QlString& list = mistakes_of(cloze, review);
    Str kept = first_rows(list, kKeptMistakes);
    store(list, kept.get());
  }
  release(cloze.lesson_rows);
  save_progress(window);
}

}  // namespace loquat
