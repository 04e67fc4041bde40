// What Loquat keeps between starts in the user's application-data folder (Loquat\progress.txt): the
// settings, a line for every finished lesson and the rows to review.
#pragma once

#include "cloze.h"

namespace loquat {

// At start: the settings applied and the progress read. A damaged or unreadable file is set aside under
// another name and told once; the program goes on as on a first start.
void load_progress(QlObject* window);
// When a lesson ends or a setting changes: the file written anew through a temporary file renamed over it,
// so that it always holds one whole version. A failure is told once.
void save_progress(QlObject* window);

// The lesson that has just ended: its line, and its rows that had a fault put first among the mistakes of
// their kind. Then saved.
void record_lesson(QlObject* window);
// An item of a review answered without a fault: its row leaves the list of mistakes, and that is saved.
void review_answered(QlObject* window, QlString row);

// The review a row of the table belongs to: articles for the "a" sets, proverbs for the "p" sets.
int32_t review_of_row(QlObject* window, QlString row);
// The rows a review opens with: the most recent mistakes of its kind, at most 20.
Str review_pool(QlObject* window, int32_t review);
// The menu's title of each review.
QlString review_title(int32_t review);

}  // namespace loquat
