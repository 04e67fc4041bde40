// Reading the decimal and thousands separators of the user default locale.
#include "values/number_locale.h"

#include <string.h>

#include "platform/platform.h"

namespace ql {

NumberSeparators number_separators() {
  NumberSeparators separators;
  if (!platform::locale_separator(platform::LocaleSeparator::kDecimal, separators.decimal) ||
      separators.decimal[0] == 0) {
    strcpy(separators.decimal, ".");
  }
  if (!platform::locale_separator(platform::LocaleSeparator::kThousands, separators.thousands)) {
    strcpy(separators.thousands, ",");
  }
  return separators;
}

}  // namespace ql
