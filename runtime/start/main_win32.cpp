// The main routine of the runtime's program file.
#include <windows.h>

#include <commctrl.h>

#include "platform/platform.h"
#include "start/image_loader.h"
#include "start/runtime_state.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
  // Before the first DLL loaded by name: on win64 the common controls, DirectSound, WINMM and the imaging
  // codecs are delay-loaded, so that none comes from a folder the program was downloaded into.
  ql::platform::restrict_library_search();
  ql::runtime_state().instance = instance;
  ql::runtime_state().command_line = command_line ? command_line : "";
  InitCommonControls();
  ql::run_application_image();
  return 0;
}
