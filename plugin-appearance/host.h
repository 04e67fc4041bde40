// The host's routines as quilapp1 uses them. Each is looked up by name through the resolver on first use
// and the address kept; a routine the host does not offer stays null, and its wrapper then does nothing
// and answers 0, null or false.
#pragma once

#include <windows.h>

#include "quillet/plugin_records.h"
#include "quillet/types.h"

namespace quilapp {

// The resolver QUILPluginMain got; routines are looked up only after it is set.
void set_resolver(QlPluginResolver resolver);

namespace host {

void register_version(int32_t version);
void register_control(QlPluginControlRecord* record);

QlString build_string(const char* bytes, int32_t length);
QlString interpret_constant(QlString value);  // the value with a reference added, also without the host's
QlString default_caption();
QlString default_font();
int32_t default_font_size();
const char* c_string(QlString s);  // never null
void lock_string(QlString s);
void unlock_string(QlString s);
void lock_object(QlObject* object);
void unlock_object(QlObject* object);

QlPluginRect bounds(QlObject* control);  // all 0 without the host's routine
bool enabled(QlObject* control);
bool visible(QlObject* control);
QlObject* control_graphics(QlObject* control);  // a new reference, or null
HDC graphics_dc(QlObject* graphics);
void invalidate(QlObject* control);
int32_t charset();
HWND control_hwnd(QlObject* control);

void* event_handler(QlObject* instance, const void* descriptor);
void* interface_routine(QlObject* object, const char* interface_name, const char* routine_name);

bool lock_picture(QlObject* picture, QlPluginPictureDescription* description);
void unlock_picture(QlObject* picture);
void draw_picture(QlObject* graphics, QlObject* picture, int32_t x, int32_t y);
// The host's clock of 16-ms ticks, so that timing in the plug-in follows the runtime's; the system's
// without the host's routine.
uint32_t ticks();

}  // namespace host
}  // namespace quilapp
