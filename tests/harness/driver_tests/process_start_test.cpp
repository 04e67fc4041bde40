// Starting a program under test: a start Wine refuses for a passing reason is tried again, a bounded number
// of times and saying so; any other refusal ends at once.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "process_start.h"
#include "target_fixture.h"

namespace ql::harness {
namespace {

// Attempts that are refused with `error` `refusals` times, then start driver_target for real.
struct RefusedAttempts {
  DWORD error;
  int refusals;
  int calls = 0;
  bool operator()(const std::string& command_line, const std::string& working_dir,
                  PROCESS_INFORMATION& started) {
    if (++calls <= refusals) {
      SetLastError(error);
      return false;
    }
    return create_process(command_line, working_dir, started);
  }
};

int count_of(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(ProcessStart, APassingRefusalIsTriedAgainABoundedNumberOfTimesAndReported) {
  const std::string folder = make_temp_folder("process-start");
  const std::string command = driver::target_command();
  for (DWORD error : {DWORD{ERROR_INTERNAL_ERROR}, DWORD{ERROR_NOT_ENOUGH_MEMORY}}) {
    SCOPED_TRACE(error);
    RefusedAttempts attempts{error, 2};
    PROCESS_INFORMATION started = {};
    ::testing::internal::CaptureStdout();
    StartResult result = start_process(command, folder, started, std::ref(attempts));
    const std::string said = ::testing::internal::GetCapturedStdout();
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.attempts, 3);
    EXPECT_EQ(WaitForSingleObject(started.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "not running";
    TerminateProcess(started.hProcess, 0);
    WaitForSingleObject(started.hProcess, 5000);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    EXPECT_EQ(count_of(said, "was refused with error " + std::to_string(error)), 2) << said;
    EXPECT_EQ(count_of(said, "(attempt 2 of 4); trying again"), 1) << said;
  }

  // Refused every time: given up after the last attempt, with its error.
  RefusedAttempts always{ERROR_INTERNAL_ERROR, 100};
  PROCESS_INFORMATION started = {};
  ::testing::internal::CaptureStdout();
  StartResult result = start_process(command, folder, started, std::ref(always));
  const std::string said = ::testing::internal::GetCapturedStdout();
  EXPECT_FALSE(result.started);
  EXPECT_EQ(result.attempts, kStartAttempts);
  EXPECT_EQ(always.calls, kStartAttempts);
  EXPECT_EQ(result.error, static_cast<DWORD>(ERROR_INTERNAL_ERROR));
  EXPECT_EQ(count_of(said, "trying again"), kStartAttempts - 1) << said;

  // A refusal that does not pass is not tried again: a missing program, for real.
  ::testing::internal::CaptureStdout();
  result = start_process("\"" + program_folder() + "no_such_program.exe\"", folder, started);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_FALSE(result.started);
  EXPECT_EQ(result.attempts, 1);
  EXPECT_EQ(result.error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

}  // namespace
}  // namespace ql::harness
