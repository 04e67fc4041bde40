// LittleArrows: two small buttons, up and down, that raise "Up" or "Down" on a press and keep raising it
// while held.
#include "control_support.h"
#include "controls.h"
#include "drawing.h"
#include "host.h"

namespace quilapp {

namespace {

enum Part : int32_t { kNoPart = 0, kUpPart = 1, kDownPart = 2 };

struct ArrowsData {
  int32_t pressed;  // the part pressed first, while the mouse is down
  int32_t drawn;    // the part drawn pressed
  uint32_t press_time;
};

constexpr uint32_t kRepeatAfter = 15;  // ticks
constexpr int kWidth = 13, kHeight = 23, kDivider = 11;

ArrowsData* data(QlObject* instance) { return data_of<ArrowsData>(instance, little_arrows_record); }

const POINT kUp[3] = {{2, 6}, {5, 3}, {8, 6}};
const POINT kDown[3] = {{2, 3}, {5, 6}, {8, 3}};

RECT part_rect(const QlPluginRect& b, int32_t part) {
  int top = part == kUpPart ? b.top + 1 : b.top + kDivider + 1;
  return {b.left + 1, top, b.left + 1 + 11, top + 10};
}

void draw_part(HDC dc, const QlPluginRect& b, int32_t part, bool pressed, bool enabled) {
  RECT r = part_rect(b, part);
  fill(dc, r, system_color(pressed ? COLOR_BTNSHADOW : COLOR_BTNFACE));
  COLORREF arrow = enabled ? RGB(0, 0, 0) : system_color(COLOR_GRAYTEXT);
  int shift = pressed ? 1 : 0;
  triangle(dc, r.left + shift, r.top + shift, part == kUpPart ? kUp : kDown, arrow, arrow);
}

void draw(QlObject* instance, QlObject* graphics) {
  HDC dc = host::graphics_dc(graphics);
  if (!dc) return;
  QlPluginRect b = host::bounds(instance);
  bool enabled = host::enabled(instance);
  RECT outline = {b.left, b.top, b.left + kWidth, b.top + kHeight};
  frame(dc, outline, enabled ? RGB(0, 0, 0) : system_color(COLOR_BTNSHADOW));
  line(dc, b.left, b.top + kDivider, b.left + kWidth, b.top + kDivider,
       enabled ? RGB(0, 0, 0) : system_color(COLOR_BTNSHADOW));
  int32_t drawn = data(instance)->drawn;
  draw_part(dc, b, kUpPart, enabled && drawn == kUpPart, enabled);
  draw_part(dc, b, kDownPart, enabled && drawn == kDownPart, enabled);
}

void show_drawn(QlObject* instance, int32_t part) {
  if (data(instance)->drawn == part) return;
  data(instance)->drawn = part;
  draw_now(instance, draw);
}

void raise_part(QlObject* instance, int32_t part) {
  raise(instance, little_arrows_record.events[part == kUpPart ? 0 : 1]);
}

bool mouse_down(QlObject* instance, int32_t x, int32_t y, int32_t) {
  QlPluginRect b = host::bounds(instance);
  if (!host::enabled(instance) || x >= b.left + kWidth || y >= b.top + kHeight) return false;
  ArrowsData* d = data(instance);
  d->press_time = ticks();
  d->pressed = y < b.top + kDivider + 1 ? kUpPart : kDownPart;
  raise_part(instance, d->pressed);
  show_drawn(instance, d->pressed);
  return true;
}

void mouse_drag(QlObject* instance, int32_t x, int32_t y) {
  ArrowsData* d = data(instance);
  if (d->pressed == kNoPart) return;
  RECT r = part_rect(host::bounds(instance), d->pressed);
  POINT p = {x, y};
  if (!PtInRect(&r, p)) {
    show_drawn(instance, kNoPart);
    return;
  }
  show_drawn(instance, d->pressed);
  if (ticks() - d->press_time > kRepeatAfter) raise_part(instance, d->pressed);
}

void mouse_up(QlObject* instance, int32_t, int32_t) {
  data(instance)->pressed = kNoPart;
  show_drawn(instance, kNoPart);
}

QlPluginEventRecord events[] = {{"Up", nullptr}, {"Down", nullptr}};

const QlPluginBehaviour kBehaviour = {
    nullptr, nullptr, draw,    mouse_down, mouse_drag, mouse_up, nullptr,
    nullptr, nullptr, nullptr, nullptr,    nullptr,    draw,     nullptr,
};

}  // namespace

QlPluginControlRecord little_arrows_record = {.version = 4,
                                              .name = "LittleArrows",
                                              .data_size = sizeof(ArrowsData),
                                              .flags = 0x10,
                                              .icon_id = 176,
                                              .second_icon_id = 177,
                                              .default_width = 13,
                                              .default_height = 23,
                                              .events = events,
                                              .event_count = 2,
                                              .behaviour = &kBehaviour};

}  // namespace quilapp
