// Measuring text in a font and size on the lesson window's own graphics.
#include "cloze.h"

using namespace loquat;

extern "C" {

int32_t cloze_string_width(QlObject* self, QlString text, QlString font, int32_t size) {
  Obj g(windowGraphicsGetter(self, 0));
  if (!g) return 0;
  graphicsTextSizeSetter(g.get(), 0, size);
  graphicsTextFontSetter(g.get(), 0, font);
  return RuntimeGraphicsStringWidth(g.get(), text);
}

// The width of a sample sentence, to tell whether a font fits the lesson canvas.
int32_t cloze_get_string_width(QlObject* self, QlString font) {
  return cloze_string_width(self, QL_STR("He doesn't like vedgtables"), font, state(self).strip_size);
}

}  // extern "C"
