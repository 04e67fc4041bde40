// Separator: an etched line across the middle of its bounds, horizontal when wider than high.
#include "control_support.h"
#include "controls.h"
#include "drawing.h"
#include "host.h"

namespace quilapp {

namespace {

void draw(QlObject* instance, QlObject* graphics) {
  HDC dc = host::graphics_dc(graphics);
  if (!dc) return;
  QlPluginRect b = host::bounds(instance);
  if (b.right - b.left > b.bottom - b.top) {
    int y = (b.top + b.bottom) / 2;
    line(dc, b.left, y, b.right, y, system_color(COLOR_BTNSHADOW));
    line(dc, b.left, y + 1, b.right, y + 1, system_color(COLOR_BTNHIGHLIGHT));
  } else {
    int x = (b.left + b.right) / 2;
    line(dc, x, b.top, x, b.bottom, system_color(COLOR_BTNSHADOW));
    line(dc, x + 1, b.top, x + 1, b.bottom, system_color(COLOR_BTNHIGHLIGHT));
  }
}

const QlPluginBehaviour kBehaviour = {
    nullptr, nullptr, draw,    nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, draw,    nullptr,
};

}  // namespace

QlPluginControlRecord separator_record = {.version = 4,
                                          .name = "Separator",
                                          .data_size = 1,
                                          .icon_id = 180,
                                          .second_icon_id = 181,
                                          .default_width = 64,
                                          .default_height = 4,
                                          .behaviour = &kBehaviour};

}  // namespace quilapp
