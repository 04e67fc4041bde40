// PopupArrow: one black arrow, large or small, pointing one of four ways; it forwards the mouse.
#include "control_support.h"
#include "controls.h"
#include "drawing.h"
#include "host.h"

namespace quilapp {

namespace {

struct ArrowData {
  int32_t facing;
  int32_t reserved;
};

QlPluginEventRecord events[] = {{"MouseDown(X As Integer, Y As Integer) As Boolean", nullptr},
                                {"MouseDrag(X As Integer, Y As Integer)", nullptr},
                                {"MouseUp(X As Integer, Y As Integer)", nullptr}};
const MouseForwarding kMouse = {events};

void draw(QlObject* instance, QlObject* graphics) {
  HDC dc = host::graphics_dc(graphics);
  const POINT* shape = arrow_points(data_of<ArrowData>(instance, popup_arrow_record)->facing);
  if (!dc || !shape) return;
  QlPluginRect b = host::bounds(instance);
  triangle(dc, b.left, b.top, shape, RGB(0, 0, 0), RGB(0, 0, 0));
}

bool mouse_down(QlObject* instance, int32_t x, int32_t y, int32_t) { return kMouse.down(instance, x, y); }
void mouse_drag(QlObject* instance, int32_t x, int32_t y) { kMouse.drag(instance, x, y); }
void mouse_up(QlObject* instance, int32_t x, int32_t y) { kMouse.up(instance, x, y); }

const QlPluginPropertyRecord kProperties[] = {
    {"Appearance", "Facing", "Integer", QL_PLUGIN_REDRAW_ON_SET, QL_PLUGIN_DIRECT, QL_PLUGIN_DIRECT,
     static_cast<int32_t>(offsetof(ArrowData, facing))},
};

const QlPluginBehaviour kBehaviour = {
    nullptr, nullptr, draw,    mouse_down, mouse_drag, mouse_up, nullptr,
    nullptr, nullptr, nullptr, nullptr,    nullptr,    draw,     nullptr,
};

}  // namespace

QlPluginControlRecord popup_arrow_record = {.version = 4,
                                            .name = "PopupArrow",
                                            .data_size = sizeof(ArrowData),
                                            .icon_id = 184,
                                            .second_icon_id = 185,
                                            .default_width = 10,
                                            .default_height = 10,
                                            .properties = kProperties,
                                            .property_count = 1,
                                            .events = events,
                                            .event_count = 3,
                                            .behaviour = &kBehaviour};

}  // namespace quilapp
