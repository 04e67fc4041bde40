// Starting programs under test, again after a passing refusal.
#include "process_start.h"

#include <cstdio>

namespace ql::harness {

bool start_refusal_passes(DWORD error) {
  return error == ERROR_INTERNAL_ERROR || error == ERROR_NOT_ENOUGH_MEMORY;
}

bool create_process(const std::string& command_line, const std::string& working_dir,
                    PROCESS_INFORMATION& started) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  std::string command = command_line;  // CreateProcessA may write into it
  return CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        working_dir.empty() ? nullptr : working_dir.c_str(), &startup, &started) != FALSE;
}

StartResult start_process(const std::string& command_line, const std::string& working_dir,
                          PROCESS_INFORMATION& started, const StartAttempt& attempt) {
  StartResult result;
  for (;;) {
    started = {};
    ++result.attempts;
    SetLastError(0);
    if (attempt(command_line, working_dir, started)) {
      result.started = true;
      return result;
    }
    result.error = GetLastError();
    if (!start_refusal_passes(result.error) || result.attempts >= kStartAttempts) return result;
    std::printf("[ start  ] %s was refused with error %lu (attempt %d of %d); trying again\n",
                command_line.c_str(), result.error, result.attempts, kStartAttempts);
    std::fflush(stdout);
    // The load that caused the refusal needs a moment to pass; this is no wait for the program.
    Sleep(static_cast<DWORD>(250 * result.attempts));
  }
}

}  // namespace ql::harness
