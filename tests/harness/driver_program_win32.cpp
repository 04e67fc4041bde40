// Starting, watching and ending a program under test.
#include <windows.h>

#include <tlhelp32.h>

#include <optional>

#include "driver_program.h"
#include "driver_windows.h"
#include "process_start.h"

namespace ql::driver {

namespace {

constexpr DWORD kAnswerPollMs = 20;
constexpr uint32_t kTerminatedExitCode = 0xDEAD;

class Lock {
 public:
  explicit Lock(CRITICAL_SECTION& section) : section_(section) { EnterCriticalSection(&section_); }
  ~Lock() { LeaveCriticalSection(&section_); }

 private:
  CRITICAL_SECTION& section_;
};

// Threads of the process, for WM_QUIT: every thread may own windows and run a message loop.
std::vector<DWORD> threads_of(DWORD process_id) {
  std::vector<DWORD> threads;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return threads;
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == process_id) threads.push_back(entry.th32ThreadID);
  }
  CloseHandle(snapshot);
  return threads;
}

// Message boxes are answered and popup menus close with their owner; neither is sent WM_CLOSE.
bool is_box_or_menu(HWND window) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  return std::string(name) == "#32770" || std::string(name) == "#32768";
}

}  // namespace

struct Program::State {
  State(DWORD process_id, std::vector<harness::DialogAnswer> answers)
      : boxes(process_id), file_dialogs(process_id, std::move(answers)) {
    InitializeCriticalSection(&lock);
  }
  ~State() {
    if (answerer) {
      SetEvent(stop);
      WaitForSingleObject(answerer, INFINITE);
      CloseHandle(answerer);
    }
    CloseHandle(stop);
    if (process.hThread) CloseHandle(process.hThread);
    if (process.hProcess) CloseHandle(process.hProcess);
    DeleteCriticalSection(&lock);
  }

  void poll() {
    Lock hold(lock);
    boxes.poll();
    file_dialogs.poll();
  }

  PROCESS_INFORMATION process = {};
  std::string command_line;
  CRITICAL_SECTION lock;
  harness::MessageBoxAnswerer boxes;
  harness::FileDialogAnswerer file_dialogs;
  HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE answerer = nullptr;
  std::optional<ProgramEnd> ended;
};

namespace {

DWORD WINAPI answer_dialogs(LPVOID context) {
  auto* state = static_cast<Program::State*>(context);
  do {
    state->poll();
  } while (WaitForSingleObject(state->stop, kAnswerPollMs) == WAIT_TIMEOUT);
  return 0;
}

bool wait_for_exit(HANDLE process, int timeout_ms) {
  return WaitForSingleObject(process, static_cast<DWORD>(timeout_ms > 0 ? timeout_ms : 0)) == WAIT_OBJECT_0;
}

}  // namespace

const char* to_string(ProgramEnd::How how) {
  switch (how) {
    case ProgramEnd::How::exited:
      return "exited by itself";
    case ProgramEnd::How::closed:
      return "closed";
    case ProgramEnd::How::quit:
      return "quit";
    case ProgramEnd::How::terminated:
      return "terminated";
  }
  return "?";
}

Program::Program(const std::string& command_line, const std::string& working_dir,
                 std::vector<harness::DialogAnswer> dialog_answers, int start_timeout_ms, Where where) {
  PROCESS_INFORMATION process = {};
  harness::StartResult start = harness::start_process(command_line, working_dir, process);
  if (!start.started) {
    fail("could not start " + command_line + " (error " + std::to_string(start.error) + ", " +
             std::to_string(start.attempts) + (start.attempts == 1 ? " attempt" : " attempts") +
             "); is the program built and the working folder there?",
         where);
    return;
  }
  state_ = std::make_unique<State>(process.dwProcessId, std::move(dialog_answers));
  state_->process = process;
  state_->command_line = command_line;
  state_->answerer = CreateThread(nullptr, 0, answer_dialogs, state_.get(), 0, nullptr);
  DWORD idle = WaitForInputIdle(process.hProcess, static_cast<DWORD>(start_timeout_ms));
  if (idle == WAIT_TIMEOUT)
    fail(command_line + " did not wait for input within " + std::to_string(start_timeout_ms) +
             " ms of starting",
         where);
}

Program::~Program() {
  if (state_ && !state_->ended) end();
}

bool Program::started() const { return state_ != nullptr; }

bool Program::running() const {
  return state_ && WaitForSingleObject(state_->process.hProcess, 0) == WAIT_TIMEOUT;
}

uint32_t Program::process_id() const { return state_ ? state_->process.dwProcessId : 0; }

HANDLE Program::process() const { return state_ ? state_->process.hProcess : nullptr; }

uint32_t Program::main_thread_id() const { return state_ ? state_->process.dwThreadId : 0; }

void Program::hold_message_boxes(bool hold) {
  if (!state_) return;
  Lock locked(state_->lock);
  state_->boxes.hold(hold);
}

std::vector<harness::MessageBox> Program::message_boxes() const {
  if (!state_) return {};
  Lock locked(state_->lock);
  return state_->boxes.seen();
}

ShownBox Program::wait_for_message_box(const std::string& text_contains, int timeout_ms, Where where) {
  ShownBox shown;
  auto showing = [&] {
    for (void* box : harness::visible_message_boxes(process_id())) {
      harness::MessageBox content = harness::read_message_box(box);
      if (content.text.find(text_contains) == std::string::npos) continue;
      shown = {static_cast<HWND>(box), content};
      return true;
    }
    return false;
  };
  bool held = state_ && state_->boxes.holding();
  std::string what = "a message box" + (text_contains.empty() ? "" : " with \"" + text_contains + "\"") +
                     (held ? "" : " (message boxes are not held, so any box was answered at once)");
  if (!wait_until(showing, what, timeout_ms, where)) return {};
  return shown;
}

double Program::cpu_time_ms() const {
  FILETIME created, exited, kernel, user;
  if (!state_ || !GetProcessTimes(state_->process.hProcess, &created, &exited, &kernel, &user)) return 0;
  auto ms = [](FILETIME time) {
    return static_cast<double>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
}

ProgramEnd Program::end(int timeout_ms) {
  if (!state_) return {};
  if (state_->ended) return *state_->ended;
  ProgramEnd result;
  HANDLE process = state_->process.hProcess;
  hold_message_boxes(false);
  if (!running()) {
    result.how = ProgramEnd::How::exited;
  } else {
    for (HWND window : top_level_windows(process_id())) {
      if (!is_box_or_menu(window)) PostMessageW(window, WM_CLOSE, 0, 0);
    }
    if (wait_for_exit(process, timeout_ms / 2)) {
      result.how = ProgramEnd::How::closed;
    } else {
      for (DWORD thread : threads_of(process_id())) PostThreadMessageW(thread, WM_QUIT, 0, 0);
      if (wait_for_exit(process, timeout_ms - timeout_ms / 2)) {
        result.how = ProgramEnd::How::quit;
      } else {
        TerminateProcess(process, kTerminatedExitCode);
        WaitForSingleObject(process, 5000);
        result.how = ProgramEnd::How::terminated;
      }
    }
  }
  SetEvent(state_->stop);
  WaitForSingleObject(state_->answerer, INFINITE);
  CloseHandle(state_->answerer);
  state_->answerer = nullptr;
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  result.exit_code = code;
  result.boxes = state_->boxes.seen();
  result.file_dialogs = state_->file_dialogs.seen();
  state_->ended = result;
  return result;
}

}  // namespace ql::driver
