// Runs a Windows program to its end for a test, answering its dialogs on the way.
#include <windows.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "process_start.h"
#include "program_runner.h"

namespace ql::harness {

RunResult run_program(const std::string& command_line, const std::string& working_dir, int timeout_ms,
                      std::vector<DialogAnswer> dialog_answers) {
  RunResult result;
  PROCESS_INFORMATION process = {};
  if (!start_process(command_line, working_dir, process).started) return result;
  result.started = true;
  FileDialogAnswerer file_dialogs(process.dwProcessId, std::move(dialog_answers));
  MessageBoxAnswerer boxes(process.dwProcessId);
  DWORD waited = 0;
  while (WaitForSingleObject(process.hProcess, 25) == WAIT_TIMEOUT) {
    waited += 25;
    if (static_cast<int>(waited) > timeout_ms) {
      TerminateProcess(process.hProcess, 0xDEAD);
      WaitForSingleObject(process.hProcess, 5000);
      result.timed_out = true;
      break;
    }
    boxes.poll();
    file_dialogs.poll();
  }
  result.boxes = boxes.seen();
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

std::string windows_path_of_unix(const std::string& unix_path) {
  std::string path = "Z:" + unix_path;
  for (char& c : path) c = c == '/' ? '\\' : c;
  return path;
}

bool write_file(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace ql::harness
