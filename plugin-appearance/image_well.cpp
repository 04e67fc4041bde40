// ImageWell: a sunken well showing a picture centred where it fits; it forwards the mouse.
#include "control_support.h"
#include "controls.h"
#include "drawing.h"
#include "host.h"

namespace quilapp {

namespace {

struct WellData {
  int32_t reserved[2];
  int32_t width;
  int32_t height;
  QlObject* image;  // held
};
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(WellData) == 20 && offsetof(WellData, image) == 16);
#endif

WellData* data(QlObject* instance) { return data_of<WellData>(instance, image_well_record); }

QlPluginEventRecord events[] = {{"MouseDown(X As Integer, Y As Integer) As Boolean", nullptr},
                                {"MouseDrag(X As Integer, Y As Integer)", nullptr},
                                {"MouseUp(X As Integer, Y As Integer)", nullptr}};
const MouseForwarding kMouse = {events};

// Centred on an axis where the image fits, else against the start of it.
int place(int start, int end, int size) {
  return size <= end - start ? start + (end - start - size) / 2 : start;
}

void draw(QlObject* instance, QlObject* graphics) {
  HDC dc = host::graphics_dc(graphics);
  if (!dc) return;
  RECT r = rect_of(host::bounds(instance));
  const COLORREF well = 0x000099;
  line(dc, r.left, r.top, r.right, r.top, well);
  line(dc, r.left, r.top, r.left, r.bottom, well);
  line(dc, r.left, r.bottom - 1, r.right, r.bottom - 1, RGB(255, 255, 255));
  line(dc, r.right - 1, r.top, r.right - 1, r.bottom, RGB(255, 255, 255));
  InflateRect(&r, -1, -1);
  frame(dc, r, RGB(0, 0, 0));
  InflateRect(&r, -1, -1);
  fill(dc, r, RGB(255, 255, 255));
  const WellData& d = *data(instance);
  if (!d.image) return;
  HRGN saved_clip = CreateRectRgn(0, 0, 0, 0);
  bool had_clip = GetClipRgn(dc, saved_clip) == 1;
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  host::draw_picture(graphics, d.image, place(r.left, r.right, d.width), place(r.top, r.bottom, d.height));
  SelectClipRgn(dc, had_clip ? saved_clip : nullptr);
  DeleteObject(saved_clip);
}

void image_setter(QlObject* instance, intptr_t, QlObject* image) {
  WellData* d = data(instance);
  QlObject* old = d->image;
  QlPluginPictureDescription size = {0, 0};
  if (image) {
    host::lock_object(image);
    if (host::lock_picture(image, &size)) host::unlock_picture(image);
  }
  d->image = image;
  d->width = size.width;
  d->height = size.height;
  host::unlock_object(old);
  host::invalidate(instance);
}

void destroying(QlObject* instance) {
  host::unlock_object(data(instance)->image);
  data(instance)->image = nullptr;
}

bool mouse_down(QlObject* instance, int32_t x, int32_t y, int32_t) { return kMouse.down(instance, x, y); }
void mouse_drag(QlObject* instance, int32_t x, int32_t y) { kMouse.drag(instance, x, y); }
void mouse_up(QlObject* instance, int32_t x, int32_t y) { kMouse.up(instance, x, y); }

const QlPluginPropertyRecord kProperties[] = {
    {"Appearance", "Image", "Picture", 0, QL_PLUGIN_DIRECT, reinterpret_cast<QlPluginFunction>(image_setter),
     static_cast<int32_t>(offsetof(WellData, image))},
};

const QlPluginBehaviour kBehaviour = {
    nullptr, destroying, draw,    mouse_down, mouse_drag, mouse_up, nullptr,
    nullptr, nullptr,    nullptr, nullptr,    nullptr,    draw,     nullptr,
};

}  // namespace

QlPluginControlRecord image_well_record = {.version = 4,
                                           .name = "ImageWell",
                                           .data_size = sizeof(WellData),
                                           .flags = 0x08,
                                           .icon_id = 182,
                                           .second_icon_id = 183,
                                           .default_width = 32,
                                           .default_height = 32,
                                           .properties = kProperties,
                                           .property_count = 1,
                                           .events = events,
                                           .event_count = 3,
                                           .behaviour = &kBehaviour};

}  // namespace quilapp
