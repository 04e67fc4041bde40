// The title and credits picture, the About screens and the logo: whole pictures of the image drawn at their
// own size.
#include "cloze.h"

using namespace loquat;

namespace loquat {

// The source rectangle starts at the picture's corner; every size takes the picture's own.
void draw_picture(QlObject* g, int32_t number, int32_t x, int32_t y) {
  Obj picture(RuntimePictureReference(number));
  RuntimeGraphicsDrawPicture(g, picture.get(), x, y, QL_DEFAULT_SIZE, QL_DEFAULT_SIZE, 0, 0, QL_DEFAULT_SIZE,
                             QL_DEFAULT_SIZE);
}

}  // namespace loquat

namespace {

void draw_on_canvas(QlObject* window, int32_t number, int32_t x, int32_t y) {
  Obj g = canvas_graphics(window);
  draw_picture(g.get(), number, x, y);
}

}  // namespace

extern "C" {

void credits_canvas_paint(QlObject*, QlObject* g) { draw_picture(g, 1, 0, 0); }

void cloze_show_logo(QlObject* self) { draw_on_canvas(self, 3, 118, 90); }
void cloze_display_about_loquat(QlObject* self) { draw_on_canvas(self, 1, 0, 0); }
void cloze_display_about_articles(QlObject* self) { draw_on_canvas(self, 65, 0, 0); }
void cloze_display_about_proverbs(QlObject* self) { draw_on_canvas(self, 66, 0, 0); }
void cloze_display_about_sounds(QlObject* self) { draw_on_canvas(self, 64, 0, 0); }

}  // extern "C"
