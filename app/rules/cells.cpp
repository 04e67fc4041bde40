// Row kinds by set code and the cells' names.
#include "cells.h"

namespace loquat::rules {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

RowKind kind_of_set(Span code) {
  if (code.size != 3 || !is_digit(code[2])) return RowKind::kUnknown;
  if (code[0] == 'L' && code[1] == 'X') return RowKind::kCompareBoard;
  if (!is_digit(code[1])) return RowKind::kUnknown;
  switch (code[0]) {
    case 'a':
      return RowKind::kArticle;
    case 'p':
      return RowKind::kProverb;
    case 'L':
      return RowKind::kListeningTest;
    default:
      return RowKind::kUnknown;
  }
}

const char* kind_name(RowKind kind) {
  switch (kind) {
    case RowKind::kArticle:
      return "article";
    case RowKind::kProverb:
      return "proverb";
    case RowKind::kListeningTest:
      return "listening test";
    case RowKind::kCompareBoard:
      return "compare board";
    case RowKind::kUnknown:
      break;
  }
  return "unknown";
}

const char* cell_name(RowKind kind, int cell) {
  static const char* const names[kCellCount] = {"number",  "set",         "pattern", "answers",
                                                "choices", "explanation", "layout",  "extra"};
  if (kind == RowKind::kProverb && cell == kExplanation) return "word count";
  if (kind == RowKind::kProverb && cell == kExtra) return "difficulty";
  return cell >= 0 && cell < kCellCount ? names[cell] : "?";
}

}  // namespace loquat::rules
