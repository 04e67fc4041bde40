// BevelButton under the mouse: pressing, tracking, the menu, and what a completed click does.
#include "bevel_button.h"

#include "control_support.h"
#include "host.h"

namespace quilapp {

bool bevel_mouse_down(QlObject* instance, int32_t, int32_t, int32_t) {
  if (!host::enabled(instance)) return true;
  BevelButtonData* data = bevel_data(instance);
  data->tracking_pressed = 1;
  redraw_bevel_button(instance);
  if (data->has_menu == kNoMenu) return true;
  int32_t chosen = track_bevel_menu(instance, data);
  data->tracking_pressed = 0;
  redraw_bevel_button(instance);
  if (chosen >= 0) {
    // A choice is an Action like a click: its receivers hear of it as well.
    data->menu_value = static_cast<int16_t>(chosen);
    raise_bevel_action(instance);
  }
  return false;
}

void bevel_mouse_drag(QlObject* instance, int32_t x, int32_t y) {
  BevelButtonData* data = bevel_data(instance);
  if (data->has_menu != kNoMenu || !host::enabled(instance)) return;
  uint8_t inside = contains(host::bounds(instance), x, y) ? 1 : 0;
  if (inside == data->tracking_pressed) return;
  data->tracking_pressed = inside;
  redraw_bevel_button(instance);
}

void bevel_mouse_up(QlObject* instance, int32_t, int32_t) {
  if (!host::enabled(instance)) return;
  BevelButtonData* data = bevel_data(instance);
  if (data->has_menu != kNoMenu) {
    data->tracking_pressed = 0;
    redraw_bevel_button(instance);
    return;
  }
  if (!data->tracking_pressed) return;
  data->tracking_pressed = 0;
  if (data->button_type == kToggleButton) data->value = !data->value;
  if (data->button_type == kStickyButton) data->value = 1;
  redraw_bevel_button(instance);
  raise_bevel_action(instance);
}

}  // namespace quilapp
