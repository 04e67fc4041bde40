// qlrun [--timeout SECONDS] PROGRAM [ARGS...]
// Runs PROGRAM, answers its message boxes, prints each as "box: CAPTION | TEXT" and exits with the
// program's exit code (124 when it ran past the timeout, 127 when it could not be started).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "program_runner.h"

int main(int argc, char** argv) {
  int timeout_seconds = 30;
  int first = 1;
  if (argc > 2 && std::strcmp(argv[1], "--timeout") == 0) {
    timeout_seconds = std::atoi(argv[2]);
    first = 3;
  }
  if (first >= argc) {
    std::fprintf(stderr, "usage: qlrun [--timeout SECONDS] PROGRAM [ARGS...]\n");
    return 2;
  }
  std::string command;
  for (int i = first; i < argc; ++i) command += (i > first ? " \"" : "\"") + std::string(argv[i]) + "\"";
  ql::harness::RunResult result = ql::harness::run_program(command, "", timeout_seconds * 1000);
  for (const auto& box : result.boxes) {
    std::string text = box.text;
    for (char& c : text) {
      if (c == '\n' || c == '\r') c = ' ';
    }
    std::printf("box: %s | %s\n", box.caption.c_str(), text.c_str());
  }
  if (!result.started) {
    std::fprintf(stderr, "qlrun: %s could not be started\n", argv[first]);
    return 127;
  }
  if (result.timed_out) {
    std::fprintf(stderr, "qlrun: %s ran longer than %d s and was ended\n", argv[first], timeout_seconds);
    return 124;
  }
  return static_cast<int>(result.exit_code);
}
