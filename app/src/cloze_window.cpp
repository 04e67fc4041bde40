// The lesson window: its implicit instance, constructor, destructor and Open handler.
#include "cloze.h"

using namespace loquat;

extern "C" {

extern const uint32_t cloze_size = sizeof(Cloze);

// The implicit instance. The runtime's window list keeps the window alive and clears this variable when the
// window closes, so it holds no reference of its own.
QlObject* g_cloze = nullptr;

void cloze_construct(QlObject* self, void*) {
  Cloze& cloze = state(self);
  cloze.line_y = RuntimeCreateArray();
  RuntimeArrayCreateAddIndex(cloze.line_y, 0, kLineLimit);
  cloze.top_line = RuntimeCreateArray();
  RuntimeArrayCreateAddIndex(cloze.top_line, 0, 2);
  cloze.segments = RuntimeCreateArray();
  RuntimeArrayCreateAddIndex(cloze.segments, 0, kSegmentLimit);
  RuntimeArrayCreateAddIndex(cloze.segments, 0, 1);
  cloze.line_info = RuntimeCreateArray();
  RuntimeArrayCreateAddIndex(cloze.line_info, 0, kLineLimit);
  RuntimeArrayCreateAddIndex(cloze.line_info, 0, 1);
}

void cloze_destruct(QlObject* self, void*) {
  Cloze& cloze = state(self);
  RuntimeDisposeIntArray(cloze.line_y);
  RuntimeDisposeStringArray(cloze.top_line);
  RuntimeDisposeStringArray(cloze.segments);
  RuntimeDisposeIntArray(cloze.line_info);
  cloze.line_y = cloze.top_line = cloze.segments = cloze.line_info = nullptr;
  release(cloze.strip_font);
  release(cloze.text_font);
  release(cloze.voice);
  release(cloze.fault_flag);
  release(cloze.replay_word);
  release(cloze.replay_speaker);
}

// Shows only the lesson area; the editor and the colour buttons lie outside it.
void cloze_open(QlObject* self) {
  windowPosSetter(self, kQlTop, 50);
  windowPosSetter(self, kQlLeft, 20);
  windowPosSetter(self, kQlWidth, rules::kCanvasWidth);
  windowPosSetter(self, kQlHeight, rules::kCanvasHeight);
  Cloze& cloze = state(self);
  cloze.layout_width = rules::kCanvasWidth;
  cloze.strip_size = rules::kStripSize;
  store(cloze.strip_font, QL_STR("Helvetica"));
  store(cloze.text_font, QL_STR("Times"));
  cloze.text_size = rules::kTitleSize;
  cloze.back_colour = RuntimeRGB(255, 255, 255);
  cloze.box_colour = RuntimeRGB(255, 255, 255);
  formRefresh(self);
}

}  // extern "C"

namespace loquat {

QlObject* cloze_instance() {
  if (!g_cloze) return RuntimeCreateWindow(cloze_window, &g_cloze);
  return RuntimeLockObject(g_cloze);
}

QlObject* open_cloze() { return RuntimeLockObject(g_cloze); }

}  // namespace loquat
