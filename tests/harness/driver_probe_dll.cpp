// ql_driver_probe.dll: loaded by the driver into a program under test, to read that program's menus from
// inside it (Wine refuses menus of other processes) and to tell whether a GUI thread has handled everything
// it was sent.
#include <windows.h>

#include "driver_probe_protocol.h"

extern "C" {

__declspec(dllexport) ql::driver::QueueProbeState ql_driver_probe_queue;

// The driver runs this as a remote thread whose argument is a MenuProbeBlock in this process's memory.
__declspec(dllexport) DWORD WINAPI ql_driver_probe_read_menu(LPVOID block) {
  ql::driver::read_menu_block(static_cast<ql::driver::MenuProbeBlock*>(block));
  return 0;
}

// A WH_CALLWNDPROC hook the driver sets on a GUI thread. The marked WM_NULL arrives while the thread looks
// for its next message, so what is still queued then is what it has not handled. GetQueueStatus also clears
// the queue's "new since last looked" bits, as the thread's own next GetMessage would. (Sent messages reach a
// thread only while it looks for messages or waits for a SendMessage of its own.)
__declspec(dllexport) LRESULT CALLBACK ql_driver_probe_hook(int code, WPARAM wparam, LPARAM lparam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lparam);
  if (code == HC_ACTION && sent->message == WM_NULL && sent->wParam == ql::driver::kQueueProbeMarker) {
    ql_driver_probe_queue.pending = HIWORD(GetQueueStatus(ql::driver::kPendingMessages));
    ql_driver_probe_queue.thread = GetCurrentThreadId();
    ql_driver_probe_queue.sequence = sent->lParam;
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // extern "C"
