// The font submenu: one item for each face the system reports, each once, in the order reported, leaving
// out the vertical "@" faces; the face in use is checked.
#include "cloze.h"

using namespace loquat;

namespace {

QlString font_item() { return QL_STR("FileFontFontname"); }

// Made at start; members 0 to count - 1 of the item array.
int32_t g_font_items = 0;

}  // namespace

namespace loquat {

// Clones stay out of the platform menu until the next menu enabling, so each goes right after member 0 and
// the newest shows first: member i > 0 shows at position count - i. The faces are given out accordingly.
void fill_font_menu() {
  Str cr = chr(13);
  Str faces = Str::borrow(cr.get());  // every face taken, each followed by a CR
  int32_t count = 0;
  int32_t fonts = getFontCount();
  for (int32_t font = 0; font < fonts; ++font) {
    Str name(getFontName(font));
    if (is_empty(name.get()) || StringAsc(name.get()) == '@') continue;
    Str entry = cat(cr.get(), name.get(), cr.get());
    if (StringInStr(1, faces.get(), entry.get()) > 0) continue;
    faces = cat(faces.get(), name.get(), cr.get());
    ++count;
  }
  for (int32_t member = 0; member < count; ++member) {
    Obj item(member == 0 ? RuntimeMenuArrayReference(font_item(), 0) : RuntimeCloneMenu(font_item()));
    if (!item) break;
    Str face = nth_field(faces.get(), cr.get(), 2 + (member == 0 ? 0 : count - member));
    menuItemTextSetter(item.get(), 0, face.get());
    g_font_items = member + 1;
  }
}

void enable_font_menu(QlObject* window) {
  for (int32_t i = 0; i < g_font_items; ++i) {
    Obj item(RuntimeMenuArrayReference(QL_STR("FileFontFontName"), i));
    if (!item) continue;
    RuntimeEnableMenu(item.get());
    Str face(menuItemTextGetter(item.get(), 0));
    menuItemCheckedSetter(item.get(), 0,
                          window && StringStrCompare(face.get(), state(window).strip_font, 0) == 0);
  }
}

// The face of the item chosen; nil when no such item.
Str font_of_item(int32_t index) {
  Obj item(RuntimeMenuArrayReference(font_item(), index));
  if (!item) return Str();
  return Str(menuItemTextGetter(item.get(), 0));
}

}  // namespace loquat
