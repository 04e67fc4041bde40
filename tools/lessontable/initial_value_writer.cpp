// Writing the rows in the list box's line layout.
#include "lessontable/initial_value_writer.h"

namespace lessontable {

std::string initial_value(const Table& table) {
  std::string text;
  for (const TableRow& row : table.rows) {
    text += '\r';
    for (const std::string& cell : row.cells) {
      text += cell;
      text += '\t';
    }
  }
  return text.empty() ? "\r" : text;
}

}  // namespace lessontable
