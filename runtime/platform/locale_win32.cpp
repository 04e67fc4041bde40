// Win32 implementation of the locale and character-type services of the string library.
#include <windows.h>

#include "platform/platform.h"

namespace ql::platform {

uint16_t char_type_c1_of(const char* character, int length) {
  if (length < 1 || length > 2) return 0;
  // One type per byte: the trail byte of a two-byte character gets an entry too.
  WORD types[2] = {};
  if (!GetStringTypeExA(LOCALE_USER_DEFAULT, CT_CTYPE1, character, length, types)) return 0;
  return types[0];
}

bool locale_separator(LocaleSeparator which, char out[4]) {
  LCTYPE item = which == LocaleSeparator::kDecimal ? LOCALE_SDECIMAL : LOCALE_STHOUSAND;
  out[0] = 0;
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, item, out, 4) == 0) {
    out[0] = 0;
    return false;
  }
  out[3] = 0;
  return true;
}

}  // namespace ql::platform
