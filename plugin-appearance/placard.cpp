// Placard: a framed, bevelled panel, sunk while its value is set; it forwards the mouse.
#include "control_support.h"
#include "controls.h"
#include "drawing.h"
#include "host.h"

namespace quilapp {

namespace {

struct PlacardData {
  uint8_t value;
};

QlPluginEventRecord events[] = {{"MouseDown(X As Integer, Y As Integer) As Boolean", nullptr},
                                {"MouseDrag(X As Integer, Y As Integer)", nullptr},
                                {"MouseUp(X As Integer, Y As Integer)", nullptr}};
const MouseForwarding kMouse = {events};

void draw(QlObject* instance, QlObject* graphics) {
  HDC dc = host::graphics_dc(graphics);
  if (!dc) return;
  RECT r = rect_of(host::bounds(instance));
  if (!host::enabled(instance)) {
    frame(dc, r, RGB(0x99, 0x99, 0x99));
    InflateRect(&r, -1, -1);
    fill(dc, r, RGB(0xEE, 0xEE, 0xEE));
    return;
  }
  bool value = data_of<PlacardData>(instance, placard_record)->value != 0;
  frame(dc, r, RGB(0, 0, 0));
  InflateRect(&r, -1, -1);
  fill(dc, r, system_color(value ? COLOR_BTNSHADOW : COLOR_BTNFACE));
  COLORREF light = system_color(COLOR_BTNHIGHLIGHT);
  COLORREF dark = system_color(value ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW);
  line(dc, r.left, r.top, r.right, r.top, light);
  line(dc, r.left, r.top, r.left, r.bottom, light);
  line(dc, r.left, r.bottom - 1, r.right, r.bottom - 1, dark);
  line(dc, r.right - 1, r.top, r.right - 1, r.bottom, dark);
}

bool mouse_down(QlObject* instance, int32_t x, int32_t y, int32_t) { return kMouse.down(instance, x, y); }
void mouse_drag(QlObject* instance, int32_t x, int32_t y) { kMouse.drag(instance, x, y); }
void mouse_up(QlObject* instance, int32_t x, int32_t y) { kMouse.up(instance, x, y); }

const QlPluginPropertyRecord kProperties[] = {
    {"Initial State", "Value", "Boolean", QL_PLUGIN_REDRAW_ON_SET, QL_PLUGIN_DIRECT, QL_PLUGIN_DIRECT,
     static_cast<int32_t>(offsetof(PlacardData, value))},
};

const QlPluginBehaviour kBehaviour = {
    nullptr, nullptr, draw,    mouse_down, mouse_drag, mouse_up, nullptr,
    nullptr, nullptr, nullptr, nullptr,    nullptr,    draw,     nullptr,
};

}  // namespace

QlPluginControlRecord placard_record = {.version = 4,
                                        .name = "Placard",
                                        .data_size = sizeof(PlacardData),
                                        .flags = 0x18,
                                        .icon_id = 186,
                                        .second_icon_id = 187,
                                        .default_width = 64,
                                        .default_height = 64,
                                        .properties = kProperties,
                                        .property_count = 1,
                                        .events = events,
                                        .event_count = 3,
                                        .behaviour = &kBehaviour};

}  // namespace quilapp
