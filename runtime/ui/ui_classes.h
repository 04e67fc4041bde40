// Defining the classes of windows, controls and drawing, and the helpers their property tables share.
#pragma once

#include <stddef.h>
#include <stdint.h>
#include <initializer_list>

#include "objects/class_object.h"

namespace ql {

// Window, Applet, Dialog, Control, RectControl, Canvas, Graphics, Picture and the control classes.
void define_ui_classes();

// Each layer part defines its own classes.
void define_window_classes();
void define_control_classes();
void define_canvas_class();
void define_graphics_classes();
void define_sound_class();
void define_listbox_class();
void define_push_button_class();
void define_edit_field_class();
void define_popup_menu_class();
void define_static_text_class();

// Property rows of the built-in classes.
template <typename Routine>
uintptr_t code_of(Routine routine) {
  return reinterpret_cast<uintptr_t>(routine);
}
void add_property(ClassObject* cls, const char* name, const void* type, uintptr_t getter, uintptr_t setter,
                  intptr_t parameter = 0);
// Fields read and written by the generic accessors at their offset: u8 Booleans, i16, i32, strings.
void add_bool_field(ClassObject* cls, const char* name, size_t offset);
void add_int16_field(ClassObject* cls, const char* name, size_t offset);
void add_int32_field(ClassObject* cls, const char* name, size_t offset, const void* type = nullptr);
void add_string_field(ClassObject* cls, const char* name, size_t offset);
void add_method(ClassObject* cls, const char* name, uintptr_t routine);
void add_hook(ClassObject* cls, const char* name, uintptr_t routine);
void declare_events(ClassObject* cls, std::initializer_list<const EventDefinition*> events);

}  // namespace ql
