// The host's model of the user default locale: US English, as Wine answers it.
#include <string.h>

#include "platform/platform.h"

namespace ql::platform {

// The host code page has no lead bytes, so a two-byte "character" is classed by its first byte.
uint16_t char_type_c1_of(const char* character, int length) {
  if (length < 1 || length > 2) return 0;
  return char_type_c1(static_cast<uint8_t>(character[0]));
}

bool locale_separator(LocaleSeparator which, char out[4]) {
  strcpy(out, which == LocaleSeparator::kDecimal ? "." : ",");
  return true;
}

}  // namespace ql::platform
