// Looking host routines up by name, once each, and calling them when they exist.
#include "host.h"

#include "quillet/plugins.h"
#include "quillet/strings.h"
#include "quillet/variants.h"
#include "quillet/windows.h"

namespace quilapp {

namespace {

QlPluginResolver resolver = nullptr;

// One host routine: its name, and once looked up its address (null when the host has none).
struct Routine {
  const char* name;
  void* address;
  bool looked_up;
};

template <typename Function>
Function* find(Routine& routine) {
  if (!routine.looked_up && resolver) {
    routine.address = resolver(routine.name);
    routine.looked_up = true;
  }
  return reinterpret_cast<Function*>(routine.address);
}

#define QUILAPP_ROUTINE(name) Routine name##_routine = {#name, nullptr, false};
QUILAPP_ROUTINE(RegisterPluginVersion)
QUILAPP_ROUTINE(PluginRegisterControl)
QUILAPP_ROUTINE(QUILBuildString)
QUILAPP_ROUTINE(PluginInterpretConstantValue)
QUILAPP_ROUTINE(PluginDefaultControlCaption)
QUILAPP_ROUTINE(PluginDefaultControlFont)
QUILAPP_ROUTINE(PluginDefaultControlFontSize)
QUILAPP_ROUTINE(StringGetCString)
QUILAPP_ROUTINE(QUILLockString)
QUILAPP_ROUTINE(QUILUnlockString)
QUILAPP_ROUTINE(QUILLockObject)
QUILAPP_ROUTINE(QUILUnlockObject)
QUILAPP_ROUTINE(GetControlBounds)
QUILAPP_ROUTINE(controlEnabledGetter)
QUILAPP_ROUTINE(GetControlVisible)
QUILAPP_ROUTINE(QUILGetControlGraphics)
QUILAPP_ROUTINE(QUILGraphicsDC)
QUILAPP_ROUTINE(QUILInvalidateControl)
QUILAPP_ROUTINE(QUILGetWin32Charset)
QUILAPP_ROUTINE(GetControlHWND)
QUILAPP_ROUTINE(GetEventInstance)
QUILAPP_ROUTINE(GetInterfaceRoutine)
QUILAPP_ROUTINE(lockPictureDescription)
QUILAPP_ROUTINE(unlockPictureDescription)
QUILAPP_ROUTINE(drawPicturePrimitive)
QUILAPP_ROUTINE(RuntimeTicks)
#undef QUILAPP_ROUTINE

// Calls the routine of that name with the arguments, or answers fallback when the host lacks it.
#define QUILAPP_CALL(name, fallback, ...)                 \
  do {                                                    \
    auto* routine = find<decltype(name)>(name##_routine); \
    if (!routine) return fallback;                        \
    return routine(__VA_ARGS__);                          \
  } while (0)

}  // namespace

void set_resolver(QlPluginResolver r) { resolver = r; }

namespace host {

void register_version(int32_t version) { QUILAPP_CALL(RegisterPluginVersion, , version); }
void register_control(QlPluginControlRecord* record) { QUILAPP_CALL(PluginRegisterControl, , record); }

QlString build_string(const char* bytes, int32_t length) {
  QUILAPP_CALL(QUILBuildString, nullptr, bytes, length);
}

QlString interpret_constant(QlString value) {
  if (auto* routine = find<decltype(PluginInterpretConstantValue)>(PluginInterpretConstantValue_routine))
    return routine(value);
  lock_string(value);
  return value;
}

QlString default_caption() { QUILAPP_CALL(PluginDefaultControlCaption, nullptr); }
QlString default_font() { QUILAPP_CALL(PluginDefaultControlFont, nullptr); }
int32_t default_font_size() { QUILAPP_CALL(PluginDefaultControlFontSize, 0); }

const char* c_string(QlString s) {
  auto* routine = find<decltype(StringGetCString)>(StringGetCString_routine);
  const char* text = routine ? routine(s) : nullptr;
  return text ? text : "";
}

void lock_string(QlString s) { QUILAPP_CALL(QUILLockString, , s); }
void unlock_string(QlString s) { QUILAPP_CALL(QUILUnlockString, , s); }
void lock_object(QlObject* object) { QUILAPP_CALL(QUILLockObject, , object); }
void unlock_object(QlObject* object) { QUILAPP_CALL(QUILUnlockObject, , object); }

QlPluginRect bounds(QlObject* control) {
  QlPluginRect r = {0, 0, 0, 0};
  if (auto* routine = find<decltype(GetControlBounds)>(GetControlBounds_routine)) routine(control, &r);
  return r;
}

bool enabled(QlObject* control) { QUILAPP_CALL(controlEnabledGetter, false, control, 0); }
bool visible(QlObject* control) { QUILAPP_CALL(GetControlVisible, false, control); }
QlObject* control_graphics(QlObject* control) { QUILAPP_CALL(QUILGetControlGraphics, nullptr, control); }
HDC graphics_dc(QlObject* graphics) {
  auto* routine = find<decltype(QUILGraphicsDC)>(QUILGraphicsDC_routine);
  return routine && graphics ? static_cast<HDC>(routine(graphics)) : nullptr;
}
void invalidate(QlObject* control) { QUILAPP_CALL(QUILInvalidateControl, , control); }
int32_t charset() { QUILAPP_CALL(QUILGetWin32Charset, DEFAULT_CHARSET); }
HWND control_hwnd(QlObject* control) {
  auto* routine = find<decltype(GetControlHWND)>(GetControlHWND_routine);
  return routine ? static_cast<HWND>(routine(control)) : nullptr;
}

void* event_handler(QlObject* instance, const void* descriptor) {
  QUILAPP_CALL(GetEventInstance, nullptr, instance, descriptor);
}
void* interface_routine(QlObject* object, const char* interface_name, const char* routine_name) {
  QUILAPP_CALL(GetInterfaceRoutine, nullptr, object, interface_name, routine_name);
}

bool lock_picture(QlObject* picture, QlPluginPictureDescription* description) {
  QUILAPP_CALL(lockPictureDescription, false, picture, description);
}
void unlock_picture(QlObject* picture) { QUILAPP_CALL(unlockPictureDescription, , picture); }
void draw_picture(QlObject* graphics, QlObject* picture, int32_t x, int32_t y) {
  QUILAPP_CALL(drawPicturePrimitive, , graphics, picture, x, y);
}
uint32_t ticks() {
  auto* routine = find<decltype(RuntimeTicks)>(RuntimeTicks_routine);
  return routine ? static_cast<uint32_t>(routine()) : GetTickCount() / 16;
}

}  // namespace host
}  // namespace quilapp
