// A program under test that keeps running while the test drives it: started with a command line in a working
// folder, its message boxes recorded and answered (or held for the test to answer), its file dialogs
// answered, its CPU time read, and ended at the end: its windows closed, then WM_QUIT, then
// terminated.
#pragma once

#include <windows.h>

#include <stdint.h>

#include <memory>
#include <string>
#include <vector>

#include "driver_failures.h"
#include "file_dialogs.h"
#include "message_boxes.h"

namespace ql::driver {

struct ProgramEnd {
  enum class How {
    exited,      // it had ended by itself before end()
    closed,      // it ended after its windows were sent WM_CLOSE
    quit,        // it ended after its threads were posted WM_QUIT
    terminated,  // it was terminated (exit code 0xDEAD)
  };
  How how = How::terminated;
  uint32_t exit_code = 0;
  std::vector<harness::MessageBox> boxes;  // every message box it showed, in order
  std::vector<harness::FileDialog> file_dialogs;
};
const char* to_string(ProgramEnd::How how);

// A message box that is showing, left for the test to answer (see Program::hold_message_boxes).
struct ShownBox {
  HWND window = nullptr;
  harness::MessageBox content;
};

class Program {
 public:
  // Starts the program and waits (up to start_timeout_ms) until it waits for input; fails the test when it
  // cannot be started. command_line is quoted as CreateProcess expects. File dialogs are answered with
  // dialog_answers in turn, then cancelled. Message boxes are answered with their default button unless held.
  explicit Program(const std::string& command_line, const std::string& working_dir = {},
                   std::vector<harness::DialogAnswer> dialog_answers = {}, int start_timeout_ms = 10000,
                   Where where = Where::current());
  ~Program();  // ends the program if the test did not
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool started() const;
  bool running() const;
  uint32_t process_id() const;
  HANDLE process() const;
  uint32_t main_thread_id() const;

  // While held, message boxes stay showing until the test answers them (for example by clicking their OK
  // button); releasing lets the ones still showing be answered. Boxes are recorded either way.
  void hold_message_boxes(bool hold = true);
  std::vector<harness::MessageBox> message_boxes() const;
  // Waits for a showing box whose text contains text_contains (any box when empty); fails the test after
  // timeout_ms. Boxes must be held for the test to see them before they are answered.
  ShownBox wait_for_message_box(const std::string& text_contains, int timeout_ms = 5000,
                                Where where = Where::current());

  // CPU time the process has used, kernel and user, in milliseconds (for benchmarks).
  double cpu_time_ms() const;

  // Ends the program: WM_CLOSE to its windows, then WM_QUIT to its threads, each given half of timeout_ms,
  // then TerminateProcess. Boxes showing meanwhile are answered. Later calls return the first result.
  ProgramEnd end(int timeout_ms = 5000);

  struct State;  // the implementation's, shared with the thread that answers dialogs

 private:
  std::unique_ptr<State> state_;
};

}  // namespace ql::driver
