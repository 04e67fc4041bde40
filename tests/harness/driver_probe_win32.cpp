// Loading ql_driver_probe.dll into programs under test and using it there.
#include <windows.h>

#include <tlhelp32.h>

#include <map>
#include <memory>

#include "driver_probe.h"
#include "driver_text.h"
#include "program_runner.h"

namespace ql::driver {

namespace {

constexpr wchar_t kProbeName[] = L"ql_driver_probe.dll";
constexpr DWORD kRemoteCallMs = 3000;

// The base address of a module in another process, nullptr when it is not loaded there.
char* remote_base(DWORD process_id, const wchar_t* module_name) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process_id);
  if (snapshot == INVALID_HANDLE_VALUE) return nullptr;
  MODULEENTRY32W entry = {};
  entry.dwSize = sizeof entry;
  char* found = nullptr;
  for (BOOL more = Module32FirstW(snapshot, &entry); more && !found; more = Module32NextW(snapshot, &entry)) {
    if (lstrcmpiW(entry.szModule, module_name) == 0) found = reinterpret_cast<char*>(entry.modBaseAddr);
  }
  CloseHandle(snapshot);
  return found;
}

// Where a symbol of a module loaded here lies in the same module loaded at remote_base elsewhere.
void* remote_symbol(char* base, HMODULE local, const char* name) {
  auto* here = reinterpret_cast<char*>(reinterpret_cast<void*>(GetProcAddress(local, name)));
  return base && here ? base + (here - reinterpret_cast<char*>(local)) : nullptr;
}

// Runs routine(argument) as a thread of the process and waits for it; true when it ran to its end.
bool run_remote(HANDLE process, void* routine, void* argument, DWORD* exit_code) {
  HANDLE thread = CreateRemoteThread(process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(routine),
                                     argument, 0, nullptr);
  if (!thread) return false;
  bool done = WaitForSingleObject(thread, kRemoteCallMs) == WAIT_OBJECT_0;
  if (done) GetExitCodeThread(thread, exit_code);
  CloseHandle(thread);
  return done;
}

// The probe loaded into one process, a block of its memory to exchange menus in, and the hooks on its
// threads.
class RemoteProbe {
 public:
  ~RemoteProbe() {
    for (auto& [thread, hook] : hooks_) UnhookWindowsHookEx(hook);
    if (block_) VirtualFreeEx(process_, block_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }

  bool alive() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

  std::string open(DWORD process_id) {
    process_id_ = process_id;
    process_ = OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                               PROCESS_VM_READ | PROCESS_VM_WRITE | SYNCHRONIZE,
                           FALSE, process_id);
    if (!process_) return "cannot open process " + std::to_string(process_id);
    std::wstring path = to_wide(harness::program_folder()) + kProbeName;
    local_ = LoadLibraryW(path.c_str());
    if (!local_) return to_utf8(path) + " is missing: build the ql_driver_probe target";
    base_ = remote_base(process_id, kProbeName);
    if (!base_) {
      std::string error = load_into_process(path);
      if (!error.empty()) return error;
    }
    block_ =
        VirtualAllocEx(process_, nullptr, sizeof(MenuProbeBlock), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!block_) return "cannot reserve memory in process " + std::to_string(process_id);
    return {};
  }

  std::string read_menu(MenuProbeBlock& block) {
    DWORD code = 0;
    void* reader = remote_symbol(base_, local_, "ql_driver_probe_read_menu");
    if (!reader || !WriteProcessMemory(process_, block_, &block, sizeof block, nullptr) ||
        !run_remote(process_, reader, block_, &code) ||
        !ReadProcessMemory(process_, block_, &block, sizeof block, nullptr))
      return "the driver's probe did not answer in process " + std::to_string(process_id_);
    return {};
  }

  std::optional<bool> queue_drained(HWND window, DWORD timeout_ms) {
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    if (!hooks_.count(thread)) {
      auto hook =
          reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(local_, "ql_driver_probe_hook")));
      HHOOK installed = hook ? SetWindowsHookExW(WH_CALLWNDPROC, hook, local_, thread) : nullptr;
      if (!installed) return {};
      hooks_[thread] = installed;
    }
    LPARAM sequence = ++sequence_;
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(window, WM_NULL, kQueueProbeMarker, sequence, SMTO_ABORTIFHUNG, timeout_ms,
                             &ignored))
      return {};
    QueueProbeState state = {};
    void* address = remote_symbol(base_, local_, "ql_driver_probe_queue");
    if (!address || !ReadProcessMemory(process_, address, &state, sizeof state, nullptr)) return {};
    return state.sequence == sequence && state.pending == 0;
  }

 private:
  std::string load_into_process(const std::wstring& path) {
    size_t bytes = (path.size() + 1) * sizeof(wchar_t);
    void* remote_path = VirtualAllocEx(process_, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    void* load = remote_symbol(remote_base(process_id_, L"kernel32.dll"), kernel, "LoadLibraryW");
    DWORD code = 0;
    bool loaded = remote_path && load &&
                  WriteProcessMemory(process_, remote_path, path.c_str(), bytes, nullptr) &&
                  run_remote(process_, load, remote_path, &code) && code != 0;
    if (remote_path) VirtualFreeEx(process_, remote_path, 0, MEM_RELEASE);
    base_ = loaded ? remote_base(process_id_, kProbeName) : nullptr;
    return base_ ? std::string()
                 : "cannot load " + to_utf8(path) + " into process " + std::to_string(process_id_);
  }

  DWORD process_id_ = 0;
  HANDLE process_ = nullptr;
  HMODULE local_ = nullptr;
  char* base_ = nullptr;
  void* block_ = nullptr;
  LPARAM sequence_ = 0;
  std::map<DWORD, HHOOK> hooks_;
};

// One probe per running process; a process that has ended is forgotten (its id may be used again).
RemoteProbe* probe_for(DWORD process_id, std::string* error) {
  static std::map<DWORD, std::unique_ptr<RemoteProbe>> probes;
  std::erase_if(probes, [](const auto& entry) { return !entry.second->alive(); });
  auto found = probes.find(process_id);
  if (found != probes.end()) return found->second.get();
  auto probe = std::make_unique<RemoteProbe>();
  *error = probe->open(process_id);
  if (!error->empty()) return nullptr;
  return (probes[process_id] = std::move(probe)).get();
}

}  // namespace

std::string read_menu(HWND window, HMENU menu, MenuProbeBlock& block) {
  block = {};
  block.window = window;
  block.menu = menu;
  read_menu_block(&block);
  if (block.status == 0) return {};
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  if (!process_id) return "the window no longer exists";
  if (process_id == GetCurrentProcessId()) return "the window has no such menu";
  std::string error;
  RemoteProbe* probe = probe_for(process_id, &error);
  if (!probe) return error;
  block = {};
  block.window = window;
  block.menu = menu;
  error = probe->read_menu(block);
  if (error.empty() && block.status != 0) error = "the window has no such menu";
  return error;
}

std::optional<bool> queue_drained(HWND window, DWORD timeout_ms) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  if (!process_id || process_id == GetCurrentProcessId()) return {};
  std::string error;
  RemoteProbe* probe = probe_for(process_id, &error);
  return probe ? probe->queue_drained(window, timeout_ms) : std::nullopt;
}

}  // namespace ql::driver
