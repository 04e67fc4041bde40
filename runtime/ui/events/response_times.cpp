// Timing clicks and menu commands from the message taken to the last paint ended.
#include "ui/events/response_times.h"

#include <stdio.h>

namespace ql {

namespace {

struct Timing {
  bool checked = false;
  HANDLE file = INVALID_HANDLE_VALUE;
  LARGE_INTEGER frequency = {};
  LARGE_INTEGER began = {};
  const char* kind = nullptr;  // of the response being timed, or null
};

Timing& timing() {
  static Timing t;
  return t;
}

bool wanted() {
  Timing& t = timing();
  if (!t.checked) {
    t.checked = true;
    char path[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("QL_RESPONSE_TIMES", path, sizeof path);
    if (n > 0 && n < sizeof path) {
      t.file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
      QueryPerformanceFrequency(&t.frequency);
    }
  }
  return t.file != INVALID_HANDLE_VALUE;
}

}  // namespace

void note_message_taken(const MSG& msg) {
  const bool click = msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN;
  const bool command = msg.message == WM_COMMAND && msg.lParam == 0;
  if (!(click || command) || !wanted()) return;
  Timing& t = timing();
  t.kind = click ? "click" : "command";
  QueryPerformanceCounter(&t.began);
}

void note_message_dispatched() {
  Timing& t = timing();
  if (!t.kind) return;
  // A click's handler may paint at once or leave it to WM_PAINT; the response ends when no paint is due.
  if (HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT) return;
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  const double ms = static_cast<double>(now.QuadPart - t.began.QuadPart) * 1000.0 /
                    static_cast<double>(t.frequency.QuadPart);
  char line[64];
  const int length = snprintf(line, sizeof line, "%s %.3f\n", t.kind, ms);
  DWORD written = 0;
  WriteFile(t.file, line, static_cast<DWORD>(length), &written, nullptr);
  t.kind = nullptr;
}

}  // namespace ql
