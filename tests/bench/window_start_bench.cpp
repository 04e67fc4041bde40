// Times the start of a program to the first paint of its window: loquat.exe's runtime with a window of 60
// canvases built from its description, against a plain Win32 program that creates the same 60 child
// windows (the end-to-end driver's target). Both clocks start at process creation; prints the medians and
// their ratio.
#include <windows.h>

#include <stdio.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 7;

std::string folder_of_program() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s = path;
  return s.substr(0, s.find_last_of('\\') + 1);
}

std::string temp_folder() {
  char path[MAX_PATH];
  GetTempPathA(MAX_PATH, path);
  std::string folder = std::string(path) + "ql-start-bench\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

std::string read_all(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

PROCESS_INFORMATION start(const std::string& command, const std::string& folder) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::string line = command;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) {
    fprintf(stderr, "window_start_bench: could not start %s\n", command.c_str());
    exit(1);
  }
  return pi;
}

double since_creation_ms(HANDLE process) {
  FILETIME created, exited, kernel, user, now;
  GetProcessTimes(process, &created, &exited, &kernel, &user);
  GetSystemTimeAsFileTime(&now);
  auto ticks = [](FILETIME t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

void stop(PROCESS_INFORMATION& pi) {
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 5000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

// The runtime's program traces "painted" at its window's first paint.
double runtime_first_paint_ms(const std::string& folder) {
  std::string trace = folder + "trace.log";
  DeleteFileA(trace.c_str());
  PROCESS_INFORMATION pi = start("\"" + folder_of_program() + "image_bench_window.exe\"", folder);
  double ms = -1;
  for (int i = 0; i < 20000 && ms < 0; ++i) {
    if (read_all(trace).find("painted") != std::string::npos) ms = since_creation_ms(pi.hProcess);
    Sleep(1);
  }
  stop(pi);
  return ms;
}

// The plain program reports its own first paint, timed from its process's creation.
double plain_first_paint_ms(const std::string& folder) {
  std::string report = folder + "plain.txt";
  DeleteFileA(report.c_str());
  PROCESS_INFORMATION pi =
      start("\"" + folder_of_program() + "driver_target.exe\" --children 60 --kind pane --report \"" +
                report + "\"",
            folder);
  double ms = -1;
  for (int i = 0; i < 20000 && ms < 0; ++i) {
    std::string text = read_all(report);
    size_t at = text.find("first_paint_ms ");
    if (at != std::string::npos) ms = atof(text.c_str() + at + 15);
    Sleep(1);
  }
  WaitForSingleObject(pi.hProcess, 5000);
  stop(pi);
  return ms;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  std::string folder = temp_folder();
  std::vector<double> runtime, plain;
  for (int run = 0; run < kRuns; ++run) {
    runtime.push_back(runtime_first_paint_ms(folder));
    plain.push_back(plain_first_paint_ms(folder));
  }
  double r = median(runtime), p = median(plain);
  printf("start to first paint, window of 60 panes (median of %d runs):\n", kRuns);
  printf("  runtime, window built from its description: %8.1f ms\n", r);
  printf("  plain Win32 program, same 60 child windows:  %8.1f ms\n", p);
  printf("  ratio runtime / plain: %.2f (goal: at most 1.15)\n", r / p);
  return 0;
}
