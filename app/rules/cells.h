// The eight cells of an exercise row by name, the kinds of row a set code makes, and the names the
// messages give the cells.
#pragma once

#include "span.h"

namespace loquat::rules {

constexpr int kCellCount = 8;

// Cell j of a row; the lesson window shows cell j in its field "Fdb" + (j + 1).
enum Cell : int { kNumber, kSet, kPattern, kAnswers, kChoices, kExplanation, kLayout, kExtra };

enum class RowKind { kArticle, kProverb, kListeningTest, kCompareBoard, kUnknown };

// "a01"-style codes: 'a' articles, 'p' proverbs, 'L' listening tests; "LX" and a digit a compare board.
RowKind kind_of_set(Span code);
const char* kind_name(RowKind kind);

// Proverb rows use cells 5 and 7 for their own purposes.
const char* cell_name(RowKind kind, int cell);

}  // namespace loquat::rules
