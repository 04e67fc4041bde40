// BevelButton: its instance data and the parts its files share (record, drawing, menu rows, mouse).
#pragma once

#include <windows.h>

#include <stddef.h>

#include "quillet/plugin_records.h"

namespace quilapp {

struct MenuRow {
  MenuRow* next;
  QlString text;  // null for a separator
  uint8_t separator;
};

struct Receiver {
  Receiver* next;
  QlObject* object;  // held
};

enum MenuArrow : int32_t { kNoMenu = 0, kMenuBelow = 1, kMenuRight = 2 };
enum ButtonType : int32_t { kPushButton = 0, kToggleButton = 1, kStickyButton = 2 };

// The data behind the host's part of the instance. The reserved words keep the classic layout's offsets.
struct BevelButtonData {
  QlString caption;
  int32_t reserved_4;
  int32_t has_menu;
  int32_t reserved_12;
  int32_t icon_align;
  int32_t caption_align;
  int32_t caption_placement;
  int16_t menu_value;
  uint8_t value;
  uint8_t reserved_31;
  MenuRow* rows;
  QlString text_font;
  int32_t text_size;
  uint8_t bold, italic, underline;
  uint8_t reserved_47[9];
  int32_t icon_width;
  int32_t icon_height;
  QlObject* icon;
  int32_t icon_dx;
  int32_t icon_dy;
  int32_t caption_delta;
  int32_t bevel;
  int32_t reserved_84[3];
  int32_t button_type;
  Receiver* receivers;  // newest first
  uint8_t tracking_pressed;
  uint8_t reserved_105[3];
};

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(offsetof(BevelButtonData, has_menu) == 8 && offsetof(BevelButtonData, icon_align) == 16);
static_assert(offsetof(BevelButtonData, menu_value) == 28 && offsetof(BevelButtonData, value) == 30);
static_assert(offsetof(BevelButtonData, rows) == 32 && offsetof(BevelButtonData, text_font) == 36);
static_assert(offsetof(BevelButtonData, text_size) == 40 && offsetof(BevelButtonData, bold) == 44);
static_assert(offsetof(BevelButtonData, icon_width) == 56 && offsetof(BevelButtonData, icon) == 64);
static_assert(offsetof(BevelButtonData, icon_dx) == 68 && offsetof(BevelButtonData, caption_delta) == 76);
static_assert(offsetof(BevelButtonData, bevel) == 80 && offsetof(BevelButtonData, button_type) == 96);
static_assert(offsetof(BevelButtonData, receivers) == 100 &&
              offsetof(BevelButtonData, tracking_pressed) == 104);
static_assert(sizeof(BevelButtonData) == 108, "BevelButton keeps 108 bytes of data");
#endif

extern QlPluginControlRecord bevel_button_record;
inline BevelButtonData* bevel_data(QlObject* instance) {
  return reinterpret_cast<BevelButtonData*>(reinterpret_cast<char*>(instance) +
                                            bevel_button_record.data_offset);
}

void draw_bevel_button(QlObject* instance, QlObject* graphics);
void redraw_bevel_button(QlObject* instance);

// Menu rows and the methods on them.
void free_menu_rows(BevelButtonData* data);
int32_t menu_row_count(const BevelButtonData* data);
const MenuRow* menu_row_at(const BevelButtonData* data, int32_t index);
void delete_all_rows(QlObject* instance);
void add_row(QlObject* instance, QlString text);
void add_separator(QlObject* instance);
void remove_row(QlObject* instance, int32_t row);
void insert_row(QlObject* instance, int32_t row, QlString text);
QlString list_row(QlObject* instance, int32_t row);
void add_receiver(QlObject* instance, QlObject* receiver);
void remove_receiver(QlObject* instance, QlObject* receiver);
void free_receivers(BevelButtonData* data);

// The popup menu of a button with rows: the chosen row's index, or -1 when none was chosen.
int32_t track_bevel_menu(QlObject* instance, BevelButtonData* data);

bool bevel_mouse_down(QlObject* instance, int32_t x, int32_t y, int32_t modifiers);
void bevel_mouse_drag(QlObject* instance, int32_t x, int32_t y);
void bevel_mouse_up(QlObject* instance, int32_t x, int32_t y);
// "Action", then every action notification receiver's PerformAction.
void raise_bevel_action(QlObject* instance);

}  // namespace quilapp
