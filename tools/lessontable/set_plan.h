// The sets of the shipped table, in order, with their row counts, and the kind of exercise each set holds.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "lessontable/problems.h"
#include "lessontable/table.h"

namespace lessontable {

enum class RowKind { kArticle, kProverb, kListeningTest, kCompareBoard, kUnknown };

struct SetEntry {
  std::string code;
  int rows;
};

const std::vector<SetEntry>& shipped_sets();

RowKind kind_of_set(std::string_view code);
const char* kind_name(RowKind kind);

// The name of a cell as the messages show it; proverb rows use cells 5 and 7 for their own purposes.
std::string cell_name(RowKind kind, int cell);

// Rows of one set stand together, sets in the order and with the row counts of `plan`.
void check_set_order(const Table& table, const std::vector<SetEntry>& plan, Problems& problems);

}  // namespace lessontable
