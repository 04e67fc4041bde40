// Answers the system's Open and Save dialogs for tests: finds a dialog of a process by its file name field,
// records what it showed, and types a path and confirms, or cancels.
#pragma once

#include <stdint.h>

#include <memory>
#include <string>
#include <vector>

namespace ql::harness {

struct FileDialog {
  std::string title;
  std::string initial_name;               // the file name field as the dialog first showed it
  std::vector<std::string> filter_names;  // the entries of its file type list
};

// How to answer one dialog: type path into the file name field and confirm, or cancel.
struct DialogAnswer {
  bool cancel = true;
  std::string path;
};
inline DialogAnswer type_path(std::string path) { return {false, std::move(path)}; }
inline DialogAnswer cancel_dialog() { return {}; }

// Answers the file dialogs of one process, each with the next answer and every one after the last answer
// with a cancel. Not thread-safe; one owner polls it.
class FileDialogAnswerer {
 public:
  FileDialogAnswerer(uint32_t process_id, std::vector<DialogAnswer> answers);
  ~FileDialogAnswerer();
  FileDialogAnswerer(const FileDialogAnswerer&) = delete;
  FileDialogAnswerer& operator=(const FileDialogAnswerer&) = delete;

  // Looks once for dialogs not answered yet and answers those that have been showing long enough to be ready.
  void poll();
  const std::vector<FileDialog>& seen() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// Whether a top-level window (an HWND) is a file dialog rather than a message box.
bool is_file_dialog(void* window);

// A thread that answers the file dialogs of this process while it lives: for a test that calls the dialog
// entry points itself, which do not return until the dialog is answered.
class FileDialogWatcher {
 public:
  explicit FileDialogWatcher(std::vector<DialogAnswer> answers);
  ~FileDialogWatcher();  // stops the thread
  FileDialogWatcher(const FileDialogWatcher&) = delete;
  FileDialogWatcher& operator=(const FileDialogWatcher&) = delete;

  std::vector<FileDialog> seen();

  struct State;  // the implementation's, shared with its thread

 private:
  std::unique_ptr<State> state_;
};

}  // namespace ql::harness
