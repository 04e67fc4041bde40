// The system code page as the character-aware string paths use it.
#include "values/code_page.h"

#include "platform/platform.h"
#include "values/char_tables.h"

namespace ql {

const CodePage& system_code_page() {
  static const CodePage code_page{lead_byte_table(), platform::char_upper_buff, platform::char_lower_buff,
                                  platform::char_type_c1_of};
  return code_page;
}

const CodePage* dbcs_code_page() { return dbcs_check() ? &system_code_page() : nullptr; }

}  // namespace ql
