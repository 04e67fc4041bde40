// The installed fonts as the system reports them, listed once per process on first use.
#include <windows.h>

#include <string>
#include <vector>

#include "objects/exceptions.h"
#include "quillet/controls.h"
#include "values/string.h"

namespace {

int CALLBACK collect_face(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM list) {
  reinterpret_cast<std::vector<std::string>*>(list)->push_back(font->lfFaceName);
  return 1;
}

// In the order reported, duplicates and all; fonts installed later are not seen.
const std::vector<std::string>& font_list() {
  static const std::vector<std::string> faces = [] {
    std::vector<std::string> list;
    HDC screen = GetDC(nullptr);
    EnumFontsA(screen, nullptr, collect_face, reinterpret_cast<LPARAM>(&list));
    ReleaseDC(nullptr, screen);
    return list;
  }();
  return faces;
}

}  // namespace

QL_API int32_t getFontCount(void) { return static_cast<int32_t>(font_list().size()); }

QL_API QlString getFontName(int32_t index) {
  const std::vector<std::string>& faces = font_list();
  if (index < 0 || static_cast<size_t>(index) >= faces.size())
    ql::raise_new_exception("OutOfBoundsException");
  return ql::string_from_cstr(faces[static_cast<size_t>(index)].c_str());
}
