// Answering the Open and Save dialogs of a program under test as told, and recording them.
#include <windows.h>

#include <algorithm>
#include <deque>
#include <map>

#include "file_dialogs.h"

namespace ql::harness {

namespace {

// Control identifiers of the common dialogs (dlgs.h): the file name edit field of the Explorer-style
// template, the file name combo box of later versions, and the file type list.
constexpr int kFileNameEdit = 0x480;
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileTypeCombo = 0x470;

// A dialog is answered once it has shown for this long, so that it has finished setting itself up.
constexpr DWORD kSettleMs = 300;

std::string class_of(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// Texts are read and written as wide characters, which the system carries between processes reliably,
// and converted with the ANSI code page.
std::string narrow(const std::wstring& wide) {
  if (wide.empty()) return {};
  int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                   nullptr);
  std::string text(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr,
                      nullptr);
  return text;
}

std::wstring widen(const std::string& text) {
  if (text.empty()) return {};
  int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string text_of(HWND window) {
  int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  int got = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return narrow(text);
}

BOOL CALLBACK find_edit(HWND child, LPARAM context) {
  if (lstrcmpiA(class_of(child).c_str(), "Edit") != 0) return TRUE;
  *reinterpret_cast<HWND*>(context) = child;
  return FALSE;
}

HWND file_name_field(HWND dialog) {
  HWND edit = GetDlgItem(dialog, kFileNameEdit);
  if (edit && lstrcmpiA(class_of(edit).c_str(), "Edit") == 0) return edit;
  HWND combo = GetDlgItem(dialog, kFileNameCombo);
  HWND found = nullptr;
  if (combo) EnumChildWindows(combo, find_edit, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::vector<std::string> filter_names(HWND dialog) {
  std::vector<std::string> names;
  HWND types = GetDlgItem(dialog, kFileTypeCombo);
  if (!types) return names;
  LRESULT count = SendMessageW(types, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT length = SendMessageW(types, CB_GETLBTEXTLEN, i, 0);
    if (length < 0) continue;
    std::wstring name(static_cast<size_t>(length) + 1, L'\0');
    LRESULT got = SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name.data()));
    name.resize(static_cast<size_t>(got > 0 ? got : 0));
    names.push_back(narrow(name));
  }
  return names;
}

struct Scan {
  DWORD process_id;
  std::vector<HWND> dialogs;
};

BOOL CALLBACK collect_dialogs(HWND window, LPARAM context) {
  auto* scan = reinterpret_cast<Scan*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == scan->process_id && IsWindowVisible(window) && is_file_dialog(window))
    scan->dialogs.push_back(window);
  return TRUE;
}

void press(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace

bool is_file_dialog(void* window) {
  HWND handle = static_cast<HWND>(window);
  return class_of(handle) == "#32770" && file_name_field(handle) != nullptr;
}

struct FileDialogAnswerer::State {
  DWORD process_id = 0;
  std::deque<DialogAnswer> answers;
  std::map<HWND, DWORD> first_seen;
  std::vector<HWND> answered;
  std::vector<FileDialog> seen;
};

FileDialogAnswerer::FileDialogAnswerer(uint32_t process_id, std::vector<DialogAnswer> answers)
    : state_(std::make_unique<State>()) {
  state_->process_id = process_id;
  state_->answers.assign(answers.begin(), answers.end());
}

FileDialogAnswerer::~FileDialogAnswerer() = default;

void FileDialogAnswerer::poll() {
  State& state = *state_;
  Scan scan{state.process_id, {}};
  EnumWindows(collect_dialogs, reinterpret_cast<LPARAM>(&scan));
  std::erase_if(state.answered, [](HWND h) { return !IsWindow(h); });
  std::erase_if(state.first_seen, [](const auto& entry) { return !IsWindow(entry.first); });
  DWORD now = GetTickCount();
  for (HWND dialog : scan.dialogs) {
    if (std::find(state.answered.begin(), state.answered.end(), dialog) != state.answered.end()) continue;
    auto first = state.first_seen.find(dialog);
    if (first == state.first_seen.end()) {
      state.first_seen[dialog] = now;
      state.seen.push_back({text_of(dialog), text_of(file_name_field(dialog)), filter_names(dialog)});
      continue;
    }
    if (now - first->second < kSettleMs) continue;
    DialogAnswer answer;
    if (!state.answers.empty()) {
      answer = state.answers.front();
      state.answers.pop_front();
    }
    if (answer.cancel) {
      press(dialog, IDCANCEL);
    } else {
      std::wstring path = widen(answer.path);
      SendMessageW(file_name_field(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
      press(dialog, IDOK);
    }
    state.answered.push_back(dialog);
  }
}

const std::vector<FileDialog>& FileDialogAnswerer::seen() const { return state_->seen; }

struct FileDialogWatcher::State {
  explicit State(std::vector<DialogAnswer> answers) : answerer(GetCurrentProcessId(), std::move(answers)) {
    InitializeCriticalSection(&lock);
  }
  ~State() { DeleteCriticalSection(&lock); }

  FileDialogAnswerer answerer;
  CRITICAL_SECTION lock;
  HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE thread = nullptr;
};

namespace {

DWORD WINAPI watch(LPVOID context) {
  auto* state = static_cast<FileDialogWatcher::State*>(context);
  do {
    EnterCriticalSection(&state->lock);
    state->answerer.poll();
    LeaveCriticalSection(&state->lock);
  } while (WaitForSingleObject(state->stop, 25) == WAIT_TIMEOUT);
  return 0;
}

}  // namespace

FileDialogWatcher::FileDialogWatcher(std::vector<DialogAnswer> answers)
    : state_(std::make_unique<State>(std::move(answers))) {
  state_->thread = CreateThread(nullptr, 0, watch, state_.get(), 0, nullptr);
}

FileDialogWatcher::~FileDialogWatcher() {
  SetEvent(state_->stop);
  if (state_->thread) {
    WaitForSingleObject(state_->thread, INFINITE);
    CloseHandle(state_->thread);
  }
  CloseHandle(state_->stop);
}

std::vector<FileDialog> FileDialogWatcher::seen() {
  EnterCriticalSection(&state_->lock);
  std::vector<FileDialog> copy = state_->answerer.seen();
  LeaveCriticalSection(&state_->lock);
  return copy;
}

}  // namespace ql::harness
