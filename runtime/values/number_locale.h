// The number separators of the user default locale.
#pragma once

namespace ql {

struct NumberSeparators {
  char decimal[4];    // never empty: "." when the system cannot answer
  char thousands[4];  // "," when the system cannot answer; may be empty in a locale without grouping
};

NumberSeparators number_separators();

}  // namespace ql
