// Times drawing through Graphics on a real canvas: RuntimeGraphicsStringWidth with the cached font against
// creating and selecting the font for every measurement, and a full repaint of a canvas whose Paint draws
// 31 boxes (fill, frame, centred string) through the graphics entry points. Prints the figures.
#include <stdio.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

#include "app/app_steps.h"
#include "app/image_data.h"
#include "containers/variant.h"
#include "files/file_classes.h"
#include "image/window_description.h"
#include "objects/class_array.h"
#include "objects/object_steps.h"
#include "objects/objects.h"
#include "quillet/graphics.h"
#include "quillet/objects.h"
#include "quillet/windows.h"
#include "ui/controls/canvas_object.h"
#include "ui/controls/control_object.h"
#include "ui/events/event_messages.h"
#include "ui/graphics/graphics_state.h"
#include "ui/panes/pane.h"
#include "ui/ui_classes.h"
#include "ui/ui_steps.h"
#include "ui/window/control_table.h"
#include "ui/window/window_object.h"
#include "unit/objects/object_test_support.h"
#include "values/string.h"

namespace {

constexpr int kRounds = 5;  // the best round counts
constexpr int kMeasurements = 20000;
constexpr int kRepaints = 50;
constexpr int kBoxes = 31;

QlString box_texts[kBoxes];
int paints = 0;

// Lays out 31 boxes as the lesson canvas does: a filled box with a frame and its word centred in it.
void paint_boxes(QlObject*, QlObject* g) {
  ++paints;
  for (int i = 0; i < kBoxes; ++i) {
    int32_t x = 10 + (i % 8) * 95, y = 10 + (i / 8) * 60;
    graphicsForeColorSetter(g, 0, 0xFFFFCC);
    RuntimeGraphicsFillRect(g, x, y, 90, 50);
    graphicsForeColorSetter(g, 0, 0x000080);
    RuntimeGraphicsDrawLine(g, x, y, x + 90, y);
    RuntimeGraphicsDrawLine(g, x + 90, y, x + 90, y + 50);
    RuntimeGraphicsDrawLine(g, x + 90, y + 50, x, y + 50);
    RuntimeGraphicsDrawLine(g, x, y + 50, x, y);
    int32_t width = RuntimeGraphicsStringWidth(g, box_texts[i]);
    RuntimeGraphicsDrawString(g, box_texts[i], x + (90 - width) / 2, y + 32, 0);
  }
}

template <typename Body>
double best_ms(Body body) {
  double best = 1e30;
  for (int round = 0; round < kRounds; ++round) {
    auto start = std::chrono::steady_clock::now();
    body();
    std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    best = std::min(best, elapsed.count());
  }
  return best;
}

void pump(int ms) {
  DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  while (static_cast<int32_t>(end - GetTickCount()) > 0) {
    ql::apply_window_geometry();
    bool quit = false;
    ql::take_message(5, quit);
  }
}

}  // namespace

int main() {
  using namespace ql;
  define_object_classes();
  define_variant_class();
  define_file_classes();
  define_ui_classes();
  define_app_classes();
  register_window_classes();

  auto canvas_class = testing::make_class("BoxCanvas", builtin_class("Canvas"), sizeof(CanvasObject));
  canvas_class->hooks = {{"Paint", 0, reinterpret_cast<uintptr_t>(paint_boxes)}};
  ClassArray array;
  array.classes = {builtin_class("Window"), canvas_class.get()};
  array.referenced_names.assign(2, std::string());
  install_class_array(std::move(array));

  image::WindowDescription description;
  description.properties = {{"Left", "20"},    {"Top", "20"},       {"Width", "800"},
                            {"Height", "300"}, {"Visible", "True"}, {"Placement", "9"}};
  image::ControlRecord canvas;
  canvas.class_index = 1;
  canvas.properties = {{"Name", "Boxes"}, {"Left", "0"}, {"Top", "0"}, {"Width", "780"}, {"Height", "250"}};
  description.controls.push_back(canvas);
  std::vector<uint8_t> stream = image::encode_window_description(description);
  std::vector<uint8_t> buffer(4 + stream.size());
  uint32_t length = static_cast<uint32_t>(stream.size());
  std::memcpy(buffer.data(), &length, 4);
  std::memcpy(buffer.data() + 4, stream.data(), stream.size());
  set_image_data(buffer.data(), static_cast<uint32_t>(buffer.size()));
  QlObject* variable = nullptr;
  QlObject* window = RuntimeCreateWindow(buffer.data(), &variable);
  if (!window) {
    printf("graphics_bench: the window could not be made\n");
    return 1;
  }
  pump(300);
  QlObject* canvas_object = as_window_fields(window)->controls->controls[0];
  if (!as_control_fields(canvas_object)->pane) {
    printf("graphics_bench: the canvas has no pane\n");
    return 1;
  }
  const char* words[] = {"the",   "a",    "an",    "some",   "any", "no article",
                         "apple", "hour", "water", "people", "sun"};
  for (int i = 0; i < kBoxes; ++i) box_texts[i] = string_from_cstr(words[i % 11]);

  // Measuring: the runtime's way (the state keeps its font selected) against a font made and selected for
  // every measurement, in the same DC.
  QlObject* g = canvasGraphicsGetter(canvas_object, 0);
  QlString font_name = string_from_cstr("Arial");
  graphicsTextFontSetter(g, 0, font_name);
  graphicsTextSizeSetter(g, 0, 18);
  QlString text = string_from_cstr("PLEASE CHOOSE AGAIN");
  volatile int32_t sink = 0;
  double cached_ms = best_ms([&] {
    for (int i = 0; i < kMeasurements; ++i) sink = sink + RuntimeGraphicsStringWidth(g, text);
  });
  GraphicsState* state = graphics_state_of(g);
  HDC dc = state->begin(false);
  double created_ms = best_ms([&] {
    for (int i = 0; i < kMeasurements; ++i) {
      HFONT font = CreateFontA(-18, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
      HGDIOBJ old = SelectObject(dc, font);
      SIZE size;
      GetTextExtentPoint32A(dc, string_cview(text), string_length(text), &size);
      sink = sink + size.cx;
      SelectObject(dc, old);
      DeleteObject(font);
    }
  });
  end_current_graphics();
  printf("RuntimeGraphicsStringWidth, font cached:        %8.2f us per call\n",
         cached_ms * 1000 / kMeasurements);
  printf("GetTextExtentPoint with the font made each time: %8.2f us per call\n",
         created_ms * 1000 / kMeasurements);
  printf("ratio (made each time / cached):                 %8.1f\n", created_ms / cached_ms);

  // Repainting: invalidate and paint at once, as RuntimeControlRefresh does, kRepaints times a round.
  paints = 0;
  double paint_ms = best_ms([&] {
    for (int i = 0; i < kRepaints; ++i) RuntimeControlRefresh(canvas_object);
    GdiFlush();
  });
  printf("canvas repaint with %d boxes:                   %8.2f ms per repaint (Paint ran %d of %d times)\n",
         kBoxes, paint_ms / kRepaints, paints, kRounds * kRepaints);

  RuntimeUnlockObject(g);
  string_release(text);
  string_release(font_name);
  for (QlString& s : box_texts) string_release(s);
  close_all_windows();
  RuntimeUnlockObject(window);
  install_class_array(ClassArray());
  return sink == 0 ? 1 : 0;
}
