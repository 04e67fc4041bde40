// quilapp1's entries: the DLL entry, which needs nothing, and QUILPluginMain, which keeps the resolver,
// registers version 4 and the eight controls.
#include <windows.h>

#include "controls.h"
#include "host.h"

// The linker gathers the routines that initialise objects dynamically between these two words ({-1,
// routines..., 0}); without a C runtime nothing else would run them. The records are meant to need none.
extern "C" void (*__CTOR_LIST__[])(void);

extern "C" BOOL WINAPI DllMainCRTStartup(HINSTANCE, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  for (void (**routine)(void) = __CTOR_LIST__ + 1; *routine; ++routine) (*routine)();
  return TRUE;
}

extern "C" __declspec(dllexport) void QUILPluginMain(QlPluginResolver resolver) {
  using namespace quilapp;
  set_resolver(resolver);
  host::register_version(4);
  QlPluginControlRecord* const order[] = {
      &bevel_button_record, &chasing_arrows_record, &little_arrows_record,       &placard_record,
      &separator_record,    &popup_arrow_record,    &disclosure_triangle_record, &image_well_record};
  for (QlPluginControlRecord* record : order) host::register_control(record);
}
