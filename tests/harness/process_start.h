// Starting a program under test: CreateProcess again, a few times, when the system refuses the start for a
// passing reason, saying so in the test's output.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace ql::harness {

// Starts to try before giving up on a passing refusal.
inline constexpr int kStartAttempts = 4;

// Whether a refused start may succeed when tried again. Wine answers ERROR_INTERNAL_ERROR (1359) when the
// new process ended during its start-up without saying why (its loader was killed or could not be
// spawned), and ERROR_NOT_ENOUGH_MEMORY (8) when it could not fork; both pass with the load that caused
// them. A missing file, a bad image or a refused access stays as it is.
bool start_refusal_passes(DWORD error);

// One attempt: CreateProcessA in effect, true with `started` filled, false with GetLastError() set.
using StartAttempt = std::function<bool(const std::string& command_line, const std::string& working_dir,
                                        PROCESS_INFORMATION&)>;
bool create_process(const std::string& command_line, const std::string& working_dir,
                    PROCESS_INFORMATION& started);

struct StartResult {
  bool started = false;
  DWORD error = 0;   // of the last attempt, when none started
  int attempts = 0;  // made
};

// Tries `attempt` until it starts, is refused for a reason that does not pass, or has been tried
// kStartAttempts times, waiting a little longer before each new try; every retry is reported on stdout.
StartResult start_process(const std::string& command_line, const std::string& working_dir,
                          PROCESS_INFORMATION& started, const StartAttempt& attempt = create_process);

}  // namespace ql::harness
