// DisclosureTriangle: a triangle pointing right (or left) when closed and down when open; a click inside
// toggles it and raises "Action".
#include "control_support.h"
#include "controls.h"
#include "drawing.h"
#include "host.h"

namespace quilapp {

namespace {

struct TriangleData {
  uint8_t value;  // open
  int32_t facing;
  int32_t reserved;
};
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(TriangleData) == 12 && offsetof(TriangleData, facing) == 4);
#endif

TriangleData* data(QlObject* instance) { return data_of<TriangleData>(instance, disclosure_triangle_record); }

const POINT kClosedRight[3] = {{2, 0}, {7, 5}, {2, 10}};
const POINT kClosedLeft[3] = {{7, 0}, {2, 5}, {7, 10}};
const POINT kOpen[3] = {{0, 2}, {10, 2}, {5, 7}};

void draw(QlObject* instance, QlObject* graphics) {
  HDC dc = host::graphics_dc(graphics);
  if (!dc) return;
  const TriangleData& d = *data(instance);
  QlPluginRect b = host::bounds(instance);
  const POINT* shape = d.value ? kOpen : d.facing == 0 ? kClosedRight : kClosedLeft;
  triangle_with_current_pen(dc, b.left, b.top, shape, system_color(COLOR_BTNHIGHLIGHT));
}

void value_setter(QlObject* instance, intptr_t, bool value) {
  data(instance)->value = value ? 1 : 0;
  host::invalidate(instance);
}

bool mouse_down(QlObject* instance, int32_t x, int32_t y, int32_t) {
  if (!contains(host::bounds(instance), x, y)) return false;
  data(instance)->value = !data(instance)->value;
  host::invalidate(instance);
  raise(instance, disclosure_triangle_record.events[0]);
  return true;
}

const QlPluginPropertyRecord kProperties[] = {
    {"Initial State", "Value", "Boolean", 0, QL_PLUGIN_DIRECT,
     reinterpret_cast<QlPluginFunction>(value_setter), static_cast<int32_t>(offsetof(TriangleData, value))},
    {"Appearance", "Facing", "Integer", QL_PLUGIN_REDRAW_ON_SET, QL_PLUGIN_DIRECT, QL_PLUGIN_DIRECT,
     static_cast<int32_t>(offsetof(TriangleData, facing))},
};

QlPluginEventRecord events[] = {{"Action", nullptr}};

const QlPluginBehaviour kBehaviour = {
    nullptr, nullptr, draw,    mouse_down, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr,    nullptr, draw,    nullptr,
};

}  // namespace

QlPluginControlRecord disclosure_triangle_record = {.version = 4,
                                                    .name = "DisclosureTriangle",
                                                    .data_size = sizeof(TriangleData),
                                                    .icon_id = 174,
                                                    .second_icon_id = 175,
                                                    .default_width = 12,
                                                    .default_height = 12,
                                                    .properties = kProperties,
                                                    .property_count = 2,
                                                    .events = events,
                                                    .event_count = 1,
                                                    .behaviour = &kBehaviour};

}  // namespace quilapp
