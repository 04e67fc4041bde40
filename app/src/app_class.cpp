// The application class AppClass1: the font menu and colours at start, menu enabling, and the menu handlers,
// which pass each command on to the lesson window and let dispatch go on.
#include "cloze.h"

using namespace loquat;

namespace {

QlString font_item() { return QL_STR("FileFontFontname"); }

void set_item_text(QlObject* item, int32_t font) {
  Str name(getFontName(font));
  menuItemTextSetter(item, 0, name.get());
}

void enable(QlString name) {
  Obj item(RuntimeMenuReference(name));
  if (item) RuntimeEnableMenu(item.get());
}

// name1 to name<last>.
void enable_numbered(QlString name, int32_t last) {
  for (int32_t n = 1; n <= last; ++n) {
    Str number = number_text(n);
    Str full = cat(name, number.get());
    enable(full.get());
  }
}

// "--author" among the words of the command line.
bool started_for_authors() {
  Str line(RuntimeGetCommandLine());
  int32_t words = count_fields(line.get(), QL_STR(" "));
  for (int32_t i = 1; i <= words; ++i) {
    Str word = nth_field(line.get(), QL_STR(" "), i);
    if (same(word.get(), QL_STR("--author"))) return true;
  }
  return false;
}

bool on_cloze(void (*method)(QlObject*)) {
  Obj window(cloze_instance());
  if (window) method(window.get());
  return false;
}

bool select_main(int32_t selection) {
  Obj window(cloze_instance());
  if (window) cloze_menus_select_main(window.get(), selection);
  return false;
}

bool select_specials(int32_t board) {
  Obj window(cloze_instance());
  if (window) cloze_menus_select_specials(window.get(), board);
  return false;
}

bool choose_voice(QlString voice) {
  Obj window(cloze_instance());
  if (window) store(state(window.get()).voice, voice);
  return false;
}

}  // namespace

extern "C" {

extern const uint32_t app_size = sizeof(QlApplicationBase);

// The font submenu gets one item per installed font, in the order the system lists them.
void app_open(QlObject*) {
  int32_t fonts = getFontCount();
  if (fonts > 0) {
    Obj first(RuntimeMenuArrayReference(font_item(), 0));
    if (first) set_item_text(first.get(), 0);
  }
  for (int32_t font = 1; font < fonts; ++font) {
    Obj clone(RuntimeCloneMenu(font_item()));
    if (clone) set_item_text(clone.get(), font);
  }
  Obj window(cloze_instance());
  if (!window) return;
  Cloze& cloze = state(window.get());
  cloze.back_colour = cloze_colour(window.get(), QL_STR("white"));
  editBackColorSetter(control(window.get(), QL_STR("bigNoteField")), 0, cloze.back_colour);
  editBackColorSetter(control(window.get(), QL_STR("NoteField")), 0, cloze.back_colour);
  // The editor's item stays in no menu a learner sees; its shortcut (Ctrl+Shift+E) works all the same.
  Obj editor(RuntimeMenuReference(QL_STR("EditEditor")));
  if (editor) menuItemVisibleSetter(editor.get(), 0, false);
  if (started_for_authors()) cloze_show_editor(window.get());
}

void app_enable_menu_items(QlObject*) {
  enable_numbered(QL_STR("Articles"), 16);
  enable(QL_STR("FileAbout"));
  enable(QL_STR("FileSound"));
  enable(QL_STR("Voice"));
  enable(QL_STR("VoiceRowan"));
  enable(QL_STR("VoiceMaren"));
  enable(QL_STR("VoiceBoth"));
  enable(QL_STR("AboutProverbsM"));
  enable(QL_STR("AboutArticlesM"));
  enable_numbered(QL_STR("Proverbs"), 13);
  enable_numbered(QL_STR("L"), 8);
  // Fonts can be chosen once a lesson shows neither the credits nor an introduction.
  Obj window(cloze_instance());
  if (window && !is_shown(control(window.get(), QL_STR("CreditsCanvas"))) &&
      !is_shown(control(window.get(), QL_STR("bigNoteField")))) {
    enable(QL_STR("FileFont"));
  }
  int32_t fonts = getFontCount();
  for (int32_t font = 0; font < fonts; ++font) {
    Obj item(RuntimeMenuArrayReference(QL_STR("FileFontFontName"), font));
    if (item) RuntimeEnableMenu(item.get());
  }
}

bool menu_file_about(QlObject*) { return on_cloze(cloze_display_about_loquat); }

bool menu_file_font(QlObject*, int32_t index) {
  Obj window(cloze_instance());
  if (window) cloze_choose_font(window.get(), index);
  return false;
}

// The item's text is the setting: "Clicking Off" means a wrong answer clicks.
bool menu_file_sound(QlObject*) {
  Obj item(RuntimeMenuReference(QL_STR("FileSound")));
  if (!item) return false;
  Str text(menuItemTextGetter(item.get(), 0));
  if (same(text.get(), QL_STR("Clicking On"))) {
    menuItemTextSetter(item.get(), 0, QL_STR("Clicking Off"));
    play_resource(2);
  } else {
    menuItemTextSetter(item.get(), 0, QL_STR("Clicking On"));
  }
  return false;
}

bool menu_about_articles(QlObject*) { return on_cloze(cloze_display_about_articles); }
bool menu_articles1(QlObject*) { return select_main(1); }
bool menu_articles2(QlObject*) { return select_main(2); }
bool menu_articles3(QlObject*) { return select_main(3); }
bool menu_articles4(QlObject*) { return select_main(4); }
bool menu_articles5(QlObject*) { return select_main(5); }
bool menu_articles6(QlObject*) { return select_main(6); }
bool menu_articles7(QlObject*) { return select_main(7); }
bool menu_articles8(QlObject*) { return select_main(8); }
bool menu_articles9(QlObject*) { return select_main(9); }
bool menu_articles10(QlObject*) { return select_main(10); }
bool menu_articles11(QlObject*) { return select_main(11); }
bool menu_articles12(QlObject*) { return select_main(12); }
bool menu_articles13(QlObject*) { return select_main(13); }
bool menu_articles14(QlObject*) { return select_main(14); }
bool menu_articles15(QlObject*) { return select_main(15); }
bool menu_articles16(QlObject*) { return select_main(16); }

bool menu_about_proverbs(QlObject*) { return on_cloze(cloze_display_about_proverbs); }
bool menu_proverbs1(QlObject*) { return select_main(21); }
bool menu_proverbs2(QlObject*) { return select_main(22); }
bool menu_proverbs3(QlObject*) { return select_main(23); }
bool menu_proverbs4(QlObject*) { return select_main(24); }
bool menu_proverbs5(QlObject*) { return select_main(25); }
bool menu_proverbs6(QlObject*) { return select_main(26); }
bool menu_proverbs7(QlObject*) { return select_main(27); }
bool menu_proverbs8(QlObject*) { return select_main(28); }
bool menu_proverbs9(QlObject*) { return select_main(29); }
bool menu_proverbs10(QlObject*) { return select_main(30); }
bool menu_proverbs11(QlObject*) { return select_main(301); }
bool menu_proverbs12(QlObject*) { return select_main(302); }
bool menu_proverbs13(QlObject*) { return select_main(303); }

bool menu_about_sounds(QlObject*) { return on_cloze(cloze_display_about_sounds); }
bool menu_voice_rowan(QlObject*) { return choose_voice(QL_STR("rowan")); }
bool menu_voice_maren(QlObject*) { return choose_voice(QL_STR("maren")); }
bool menu_voice_both(QlObject*) { return choose_voice(QL_STR("both")); }
bool menu_compare1(QlObject*) { return select_specials(1); }
bool menu_compare2(QlObject*) { return select_specials(3); }
bool menu_compare3(QlObject*) { return select_specials(5); }
bool menu_test1(QlObject*) { return select_main(81); }
bool menu_test2(QlObject*) { return select_main(82); }
bool menu_test3(QlObject*) { return select_main(83); }
bool menu_test_all(QlObject*) { return select_main(84); }

// Sent by Ctrl+Shift+E, the shortcut of an item no menu shows.
bool menu_edit_editor(QlObject*) { return on_cloze(cloze_show_editor); }

}  // extern "C"
