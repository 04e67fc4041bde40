// The font cache and the translation of font names to the platform's face names.
#include "ui/graphics/font_cache.h"

#include <string>

#include "ui/ui_steps.h"
#include "values/invariant.h"
#include "values/string.h"

namespace ql {

namespace {

struct FontEntry {
  FontEntry* next;
  int32_t count;
  QlString name;  // the cache's reference
  uint8_t bold, italic, underline;
  int16_t size;
  HFONT font;
};

FontEntry*& head() {
  static FontEntry* first = nullptr;
  return first;
}

// References handed out and not yet given back, which the entries' counts add up to.
int64_t& references_out() {
  static int64_t out = 0;
  return out;
}

void check_counts() {
  QL_IF_CHECKING_INVARIANTS(int64_t sum = 0; for (FontEntry* e = head(); e; e = e->next) {
    QL_INVARIANT(e->count > 0, "a cached font has a reference, or it leaves the cache");
    for (FontEntry* other = e->next; other; other = other->next) {
      QL_INVARIANT(other->font != e->font, "every platform font is cached once");
    }
    sum += e->count;
  } QL_INVARIANT(sum == references_out(), "the entries' counts are the references handed out");)
}

HFONT lookup(QlString name, int32_t size, uint8_t style) {
  uint8_t bold = style & 1, italic = (style >> 1) & 1, underline = (style >> 2) & 1;
  for (FontEntry* e = head(); e; e = e->next) {
    if (e->size == size && e->bold == bold && e->italic == italic && e->underline == underline &&
        string_compare_folded(e->name, name) == 0) {
      ++e->count;
      ++references_out();
      check_counts();
      return e->font;
    }
  }
  HFONT font = CreateFontA(-size, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, underline, 0,
                           ui_settings().font_charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH, face_name_for(string_cview(name)));
  if (!font) return nullptr;
  string_retain(name);
  head() = new FontEntry{head(), 1, name, bold, italic, underline, static_cast<int16_t>(size), font};
  ++references_out();
  check_counts();
  return font;
}

}  // namespace

const char* face_name_for(const char* name) {
  static const struct {
    const char* name;
    const char* face;
  } kNames[] = {{"System", "MS Sans Serif"}, {"Application", "MS Sans Serif"}, {"Geneva", "MS Sans Serif"},
                {"Courier", "Courier New"},  {"Times", "Times New Roman"},     {"Helvetica", "Arial"},
                {"Osaka", "MS UI Gothic"}};
  for (const auto& entry : kNames) {
    if (lstrcmpiA(entry.name, name) == 0) return entry.face;
  }
  return name;
}

HFONT acquire_font(QlString name, int32_t size, uint8_t style) { return lookup(name, size, style); }

HFONT acquire_font(const char* name, int32_t size, uint8_t style) {
  QlString s = string_from_cstr(name);
  HFONT font = lookup(s, size, style);
  string_release(s);
  return font;
}

void release_font(HFONT font) {
  if (!font) return;
  for (FontEntry** link = &head(); *link; link = &(*link)->next) {
    FontEntry* e = *link;
    if (e->font != font) continue;
    --references_out();
    if (--e->count == 0) {
      *link = e->next;
      DeleteObject(e->font);
      string_release(e->name);
      delete e;
    }
    check_counts();
    return;
  }
  QL_INVARIANT(false, "a font goes back to the cache that handed it out");
}

int32_t font_cache_size() {
  int32_t n = 0;
  for (FontEntry* e = head(); e; e = e->next) ++n;
  return n;
}

}  // namespace ql
