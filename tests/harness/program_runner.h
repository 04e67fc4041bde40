// Runs a Windows program for a test: answers every message box it shows, recording caption and text, answers
// its Open and Save dialogs as told, and ends it when it runs too long, so that a test never hangs on a
// dialog.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "file_dialogs.h"
#include "message_boxes.h"

namespace ql::harness {

struct RunResult {
  bool started = false;
  bool timed_out = false;
  uint32_t exit_code = 0;
  std::vector<MessageBox> boxes;
  std::vector<FileDialog> file_dialogs;
};

// command_line is quoted as CreateProcess expects; working_dir becomes the program's current directory.
// File dialogs are answered in turn with dialog_answers, and cancelled once those run out.
RunResult run_program(const std::string& command_line, const std::string& working_dir, int timeout_ms = 30000,
                      std::vector<DialogAnswer> dialog_answers = {});

// The folder of the running test program (the build tree's bin folder), with a trailing backslash.
std::string program_folder();

// A new empty folder under the temporary folder, for one test's files.
std::string make_temp_folder(const std::string& prefix);

std::string read_file(const std::string& path);
// A Linux path as Wine's programs see it, through drive Z:.
std::string windows_path_of_unix(const std::string& unix_path);
bool write_file(const std::string& path, const std::string& bytes);

}  // namespace ql::harness
