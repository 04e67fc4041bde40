// Message boxes of another process: finding, reading and answering them.
#include <windows.h>

#include <algorithm>

#include "file_dialogs.h"
#include "message_boxes.h"

namespace ql::harness {

namespace {

BOOL CALLBACK collect_texts(HWND child, LPARAM context) {
  char class_name[64] = {};
  GetClassNameA(child, class_name, sizeof class_name);
  if (lstrcmpiA(class_name, "Static") != 0) return TRUE;
  char text[4096] = {};
  GetWindowTextA(child, text, sizeof text);
  if (text[0]) {
    auto* texts = reinterpret_cast<std::string*>(context);
    if (!texts->empty()) *texts += "\n";
    *texts += text;
  }
  return TRUE;
}

bool contains(const std::vector<void*>& list, void* item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

}  // namespace

std::vector<void*> visible_dialogs(uint32_t process_id) {
  std::vector<void*> dialogs;
  for (HWND window = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); window;
       window = FindWindowExW(nullptr, window, L"#32770", nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == process_id && IsWindowVisible(window)) dialogs.push_back(window);
  }
  return dialogs;
}

std::vector<void*> visible_message_boxes(uint32_t process_id) {
  std::vector<void*> boxes = visible_dialogs(process_id);
  std::erase_if(boxes, [](void* window) { return is_file_dialog(window); });
  return boxes;
}

MessageBox read_message_box(void* box) {
  MessageBox record;
  char caption[1024] = {};
  GetWindowTextA(static_cast<HWND>(box), caption, sizeof caption);
  record.caption = caption;
  EnumChildWindows(static_cast<HWND>(box), collect_texts, reinterpret_cast<LPARAM>(&record.text));
  return record;
}

void press_default_button(void* box) {
  HWND dialog = static_cast<HWND>(box);
  LRESULT default_id = SendMessageA(dialog, DM_GETDEFID, 0, 0);
  WORD id = HIWORD(default_id) == DC_HASDEFID ? LOWORD(default_id) : IDOK;
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void MessageBoxAnswerer::poll() {
  auto gone = [](void* h) { return !IsWindow(static_cast<HWND>(h)); };
  std::erase_if(recorded_, gone);
  std::erase_if(answered_, gone);
  for (void* box : visible_message_boxes(process_id_)) {
    if (!contains(recorded_, box)) {
      seen_.push_back(read_message_box(box));
      recorded_.push_back(box);
    }
    if (holding_ || contains(answered_, box)) continue;
    press_default_button(box);
    answered_.push_back(box);
  }
}

}  // namespace ql::harness
