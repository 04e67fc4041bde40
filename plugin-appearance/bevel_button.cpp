// BevelButton's record: its properties, methods, event and behaviour, its defaults and what it gives back
// when it goes.
#include "bevel_button.h"

#include "control_support.h"
#include "host.h"

namespace quilapp {

namespace {

#define QUILAPP_AT(field) static_cast<int32_t>(offsetof(BevelButtonData, field))
#define QUILAPP_FN(routine) reinterpret_cast<QlPluginFunction>(routine)

QlString caption_getter(QlObject* instance, intptr_t) {
  QlString caption = bevel_data(instance)->caption;
  host::lock_string(caption);
  return caption;
}

void caption_setter(QlObject* instance, intptr_t, QlString caption) {
  BevelButtonData* data = bevel_data(instance);
  QlString old = data->caption;
  data->caption = host::interpret_constant(caption);
  host::unlock_string(old);
  redraw_bevel_button(instance);
}

int32_t menu_value_getter(QlObject* instance, intptr_t) { return bevel_data(instance)->menu_value; }
void menu_value_setter(QlObject* instance, intptr_t, int32_t value) {
  bevel_data(instance)->menu_value = static_cast<int16_t>(value);
}

// The plug-in setters of Integer properties store at the offset their record names, then redraw.
void integer_setter(QlObject* instance, intptr_t offset, int32_t value) {
  *reinterpret_cast<int32_t*>(reinterpret_cast<char*>(bevel_data(instance)) + offset) = value;
  redraw_bevel_button(instance);
}

void value_setter(QlObject* instance, intptr_t, bool value) {
  bevel_data(instance)->value = value ? 1 : 0;
  redraw_bevel_button(instance);
}

void icon_setter(QlObject* instance, intptr_t, QlObject* icon) {
  BevelButtonData* data = bevel_data(instance);
  QlObject* old = data->icon;
  QlPluginPictureDescription size = {0, 0};
  if (icon) {
    host::lock_object(icon);
    if (host::lock_picture(icon, &size)) host::unlock_picture(icon);
  }
  data->icon = icon;
  data->icon_width = icon ? size.width : 0;
  data->icon_height = icon ? size.height : 0;
  host::unlock_object(old);
  redraw_bevel_button(instance);
}

void created(QlObject* instance) {
  BevelButtonData* data = bevel_data(instance);
  data->caption = host::default_caption();
  data->caption_placement = 1;
  data->caption_align = 3;
  data->text_font = host::default_font();
  data->text_size = host::default_font_size();
}

void destroying(QlObject* instance) {
  BevelButtonData* data = bevel_data(instance);
  host::unlock_string(data->caption);
  host::unlock_string(data->text_font);
  free_menu_rows(data);
  free_receivers(data);
  host::unlock_object(data->icon);
  data->caption = data->text_font = nullptr;
  data->icon = nullptr;
}

constexpr uint32_t kRedraw = QL_PLUGIN_REDRAW_ON_SET;
#define kDirect QL_PLUGIN_DIRECT  // a macro: a variable would make the records dynamically initialised

const QlPluginPropertyRecord kProperties[] = {
    {"Appearance", "Caption", "String", 0, QUILAPP_FN(caption_getter), QUILAPP_FN(caption_setter),
     QUILAPP_AT(caption)},
    {"Appearance", "HasMenu", "Integer", kRedraw, kDirect, kDirect, QUILAPP_AT(has_menu)},
    {"Appearance", "IconAlign", "Integer", kRedraw, kDirect, QUILAPP_FN(integer_setter),
     QUILAPP_AT(icon_align)},
    {"Appearance", "CaptionAlign", "Integer", kRedraw, kDirect, QUILAPP_FN(integer_setter),
     QUILAPP_AT(caption_align)},
    {"Appearance", "CaptionPlacement", "Integer", kRedraw, kDirect, QUILAPP_FN(integer_setter),
     QUILAPP_AT(caption_placement)},
    {"Initial State", "MenuValue", "Integer", 0, QUILAPP_FN(menu_value_getter), QUILAPP_FN(menu_value_setter),
     QUILAPP_AT(menu_value)},
    {"Initial State", "Value", "Boolean", kRedraw, kDirect, QUILAPP_FN(value_setter), QUILAPP_AT(value)},
    {"Font", "TextFont", "string", kRedraw, kDirect, kDirect, QUILAPP_AT(text_font)},
    {"Font", "TextSize", "integer", kRedraw, kDirect, kDirect, QUILAPP_AT(text_size)},
    {"Font", "Bold", "boolean", kRedraw, kDirect, kDirect, QUILAPP_AT(bold)},
    {"Font", "Italic", "boolean", kRedraw, kDirect, kDirect, QUILAPP_AT(italic)},
    {"Font", "Underline", "boolean", kRedraw, kDirect, kDirect, QUILAPP_AT(underline)},
    {"Appearance", "Icon", "Picture", kRedraw, kDirect, QUILAPP_FN(icon_setter), QUILAPP_AT(icon)},
    {"Appearance", "IconDX", "Integer", kRedraw, kDirect, QUILAPP_FN(integer_setter), QUILAPP_AT(icon_dx)},
    {"Appearance", "IconDY", "Integer", kRedraw, kDirect, QUILAPP_FN(integer_setter), QUILAPP_AT(icon_dy)},
    {"Appearance", "CaptionDelta", "Integer", kRedraw, kDirect, QUILAPP_FN(integer_setter),
     QUILAPP_AT(caption_delta)},
    {"Appearance", "Bevel", "Integer", kRedraw, kDirect, kDirect, QUILAPP_AT(bevel)},
    {"Behavior", "ButtonType", "integer", kRedraw, kDirect, kDirect, QUILAPP_AT(button_type)},
};

const QlPluginMethodRecord kMethods[] = {
    {QUILAPP_FN(delete_all_rows), nullptr, "DeleteAllRows"},
    {QUILAPP_FN(add_row), nullptr, "AddRow(text As String)"},
    {QUILAPP_FN(add_separator), nullptr, "AddSeparator"},
    {QUILAPP_FN(remove_row), nullptr, "RemoveRow(row As Integer)"},
    {QUILAPP_FN(insert_row), nullptr, "InsertRow(row As Integer, text As String)"},
    {QUILAPP_FN(list_row), nullptr, "List(row As Integer) As String"},
    {QUILAPP_FN(add_receiver), nullptr,
     "addActionNotificationReceiver(receiver As actionNotificationReceiver)"},
    {QUILAPP_FN(remove_receiver), nullptr,
     "removeActionNotificationReceiver(receiver As actionNotificationReceiver)"},
};

const QlPluginBehaviour kBehaviour = {
    created, destroying, draw_bevel_button, bevel_mouse_down, bevel_mouse_drag, bevel_mouse_up,    nullptr,
    nullptr, nullptr,    nullptr,           nullptr,          nullptr,          draw_bevel_button, nullptr,
};

#undef kDirect
#undef QUILAPP_AT
#undef QUILAPP_FN

}  // namespace

QlPluginEventRecord bevel_button_events[] = {{"Action", nullptr}};

// The development environment shows the ActionSource interface of a button as "<name> pressed".
extern "C" __declspec(dllexport) const
    char* const QUILActionSourceDescription[2] = {"ActionSource", "%1 pressed"};

QlPluginControlRecord bevel_button_record = {.version = 4,
                                             .name = "BevelButton",
                                             .data_size = sizeof(BevelButtonData),
                                             .flags = 0x18,
                                             .icon_id = 172,
                                             .second_icon_id = 173,
                                             .default_width = 60,
                                             .default_height = 22,
                                             .properties = kProperties,
                                             .property_count = 18,
                                             .methods = kMethods,
                                             .method_count = 8,
                                             .events = bevel_button_events,
                                             .event_count = 1,
                                             .behaviour = &kBehaviour,
                                             .interfaces = "ActionSource"};

void raise_bevel_action(QlObject* instance) {
  raise(instance, bevel_button_events[0]);
  // The handler may change the list: each receiver is held while the list is walked from a copy.
  BevelButtonData* data = bevel_data(instance);
  int32_t count = 0;
  for (Receiver* r = data->receivers; r; r = r->next) ++count;
  if (count == 0) return;
  auto** held = static_cast<QlObject**>(allocate(sizeof(QlObject*) * count));
  if (!held) return;
  int32_t i = 0;
  for (Receiver* r = data->receivers; r; r = r->next) {
    held[i++] = r->object;
    host::lock_object(r->object);
  }
  for (i = 0; i < count; ++i) {
    void* routine = host::interface_routine(held[i], "actionNotificationReceiver", "PerformAction");
    if (routine) reinterpret_cast<void (*)(QlObject*)>(routine)(held[i]);
  }
  for (i = 0; i < count; ++i) host::unlock_object(held[i]);
  release_memory(held);
}

}  // namespace quilapp
