// The main routine of the runtime's program file.
#include <windows.h>

#include <commctrl.h>

#include "start/image_loader.h"
#include "start/runtime_state.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
  ql::runtime_state().instance = instance;
  ql::runtime_state().command_line = command_line ? command_line : "";
  InitCommonControls();
  ql::run_application_image();
  return 0;
}
