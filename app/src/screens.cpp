// The title and credits picture, the About screens and the logo: whole pictures of the image drawn at their
// own size. An About picture is drawn over whatever the canvas shows, before any lesson too.
#include "cloze.h"

using namespace loquat;

namespace loquat {

// The source rectangle starts at the picture's corner; every size takes the picture's own.
void draw_picture(QlObject* g, int32_t number, int32_t x, int32_t y) {
  Obj picture(RuntimePictureReference(number));
  RuntimeGraphicsDrawPicture(g, picture.get(), x, y, QL_DEFAULT_SIZE, QL_DEFAULT_SIZE, 0, 0, QL_DEFAULT_SIZE,
                             QL_DEFAULT_SIZE);
}

void draw_overlay(QlObject* window, int32_t overlay) {
  if (overlay == kProgressPicture) {
    cloze_display_progress(window);
    return;
  }
  Obj g = canvas_graphics(window);
  draw_picture(g.get(), overlay, 0, 0);
  state(window).overlay = overlay;
}

}  // namespace loquat

namespace {

void draw_on_canvas(QlObject* window, int32_t number, int32_t x, int32_t y) {
  Obj g = canvas_graphics(window);
  draw_picture(g.get(), number, x, y);
}

// Before any lesson the credits cover the canvas; they go, as for a lesson, so that the picture is seen.
void show_about(QlObject* window, int32_t number) {
  hide_credits(window);
  draw_overlay(window, number);
}

}  // namespace

extern "C" {

void credits_canvas_paint(QlObject*, QlObject* g) { draw_picture(g, 1, 0, 0); }

void cloze_show_logo(QlObject* self) { draw_on_canvas(self, 3, 118, 90); }
void cloze_display_about_loquat(QlObject* self) { show_about(self, 1); }
void cloze_display_about_articles(QlObject* self) { show_about(self, 65); }
void cloze_display_about_proverbs(QlObject* self) { show_about(self, 66); }
void cloze_display_about_sounds(QlObject* self) { show_about(self, 64); }

}  // extern "C"
