// Running a Windows program for a test: its exit, its message boxes answered and recorded, a time limit.
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "program_runner.h"

namespace ql::harness {

namespace {

struct Scan {
  DWORD process_id;
  std::vector<HWND> boxes;
};

BOOL CALLBACK collect_boxes(HWND window, LPARAM context) {
  auto* scan = reinterpret_cast<Scan*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char class_name[64] = {};
  GetClassNameA(window, class_name, sizeof class_name);
  if (owner == scan->process_id && IsWindowVisible(window) && std::string(class_name) == "#32770" &&
      !is_file_dialog(window))
    scan->boxes.push_back(window);
  return TRUE;
}

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

MessageBox read_box(HWND box) {
  MessageBox record;
  char caption[1024] = {};
  GetWindowTextA(box, caption, sizeof caption);
  record.caption = caption;
  EnumChildWindows(box, collect_texts, reinterpret_cast<LPARAM>(&record.text));
  return record;
}

// Presses the box's default button, as Enter would.
void answer_box(HWND box) {
  LRESULT default_id = SendMessageA(box, DM_GETDEFID, 0, 0);
  WORD id = HIWORD(default_id) == DC_HASDEFID ? LOWORD(default_id) : IDOK;
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

}  // namespace

RunResult run_program(const std::string& command_line, const std::string& working_dir, int timeout_ms,
                      std::vector<DialogAnswer> dialog_answers) {
  RunResult result;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::string command = command_line;
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      working_dir.empty() ? nullptr : working_dir.c_str(), &startup, &process))
    return result;
  result.started = true;
  FileDialogAnswerer file_dialogs(process.dwProcessId, std::move(dialog_answers));
  std::vector<HWND> answered;
  DWORD waited = 0;
  while (WaitForSingleObject(process.hProcess, 25) == WAIT_TIMEOUT) {
    waited += 25;
    if (static_cast<int>(waited) > timeout_ms) {
      TerminateProcess(process.hProcess, 0xDEAD);
      WaitForSingleObject(process.hProcess, 5000);
      result.timed_out = true;
      break;
    }
    Scan scan{process.dwProcessId, {}};
    EnumWindows(collect_boxes, reinterpret_cast<LPARAM>(&scan));
    std::erase_if(answered, [](HWND h) { return !IsWindow(h); });
    for (HWND box : scan.boxes) {
      if (std::find(answered.begin(), answered.end(), box) != answered.end()) continue;
      result.boxes.push_back(read_box(box));
      answer_box(box);
      answered.push_back(box);
    }
    file_dialogs.poll();
  }
  result.file_dialogs = file_dialogs.seen();
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  result.exit_code = code;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return result;
}

std::string program_folder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

std::string make_temp_folder(const std::string& prefix) {
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  static unsigned counter = 0;
  for (;;) {
    std::ostringstream name;
    name << base << prefix << "-" << GetCurrentProcessId() << "-" << ++counter << "\\";
    if (CreateDirectoryA(name.str().c_str(), nullptr)) return name.str();
    if (GetLastError() != ERROR_ALREADY_EXISTS) return {};
  }
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool write_file(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace ql::harness
