// The classes of windows, controls and drawing, and the rows their property tables are made of.
#include "ui/ui_classes.h"

#include "objects/value_types.h"
#include "quillet/objects.h"
#include "quillet/strings.h"
#include "ui/ui_steps.h"
#include "ui/window/drag_item.h"
#include "values/fatal_stop.h"

namespace ql {

void add_property(ClassObject* cls, const char* name, const void* type, uintptr_t getter, uintptr_t setter,
                  intptr_t parameter) {
  cls->properties.push_back({name, type, getter, setter, parameter, 0});
}

void add_bool_field(ClassObject* cls, const char* name, size_t offset) {
  add_property(cls, name, &kBooleanType, code_of(int8Getter), code_of(int8Setter),
               static_cast<intptr_t>(offset));
}

void add_int16_field(ClassObject* cls, const char* name, size_t offset) {
  add_property(cls, name, &kIntegerType, code_of(int16Getter), code_of(int16Setter),
               static_cast<intptr_t>(offset));
}

void add_int32_field(ClassObject* cls, const char* name, size_t offset, const void* type) {
  add_property(cls, name, type ? type : &kIntegerType, code_of(int32Getter), code_of(int32Setter),
               static_cast<intptr_t>(offset));
}

void add_string_field(ClassObject* cls, const char* name, size_t offset) {
  add_property(cls, name, &kStringType, code_of(stringGetter), code_of(stringSetter),
               static_cast<intptr_t>(offset));
}

void add_method(ClassObject* cls, const char* name, uintptr_t routine) {
  cls->methods.push_back({name, routine, 0});
}

void add_hook(ClassObject* cls, const char* name, uintptr_t routine) {
  cls->hooks.push_back({name, 0, routine});
}

void declare_events(ClassObject* cls, std::initializer_list<const EventDefinition*> events) {
  cls->events.assign(events.begin(), events.end());
}

void define_ui_classes() {
  set_stop_message_box(show_message_box);
  define_drag_item_class();
  define_sound_class();
  define_window_classes();
  define_control_classes();
  define_canvas_class();
  define_graphics_classes();
  define_listbox_class();
  define_push_button_class();
  define_edit_field_class();
  define_popup_menu_class();
  define_static_text_class();
}

}  // namespace ql
