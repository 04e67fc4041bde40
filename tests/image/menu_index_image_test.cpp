// A menu item array with a member at the largest index an image can give: cloning still takes the smallest
// free index, and asks for no memory in proportion to the index.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "program_runner.h"

namespace ql::harness {
namespace {

TEST(ImageRun, AMenuMemberAtTheLargestIndexCostsNoMemoryWhenTheArrayGrows) {
  std::string folder = make_temp_folder("menu-index");
  RunResult result = run_program("\"" + program_folder() + "image_menu_index.exe\"", folder);
  EXPECT_TRUE(result.started);
  EXPECT_FALSE(result.timed_out);
  EXPECT_EQ(result.exit_code, 0u);
  EXPECT_TRUE(result.boxes.empty());
  const std::string trace = read_file(folder + "trace.log");
  const std::string clones = "clone index 1\rclone index 2\r";
  ASSERT_EQ(trace.substr(0, clones.size()), clones) << trace;
  const std::string grew = "peak working set grew by MiB ";
  ASSERT_EQ(trace.substr(clones.size(), grew.size()), grew) << trace;
  // Recording the indices in use up to 2147483647 would take 256 MiB.
  EXPECT_LT(std::stoi(trace.substr(clones.size() + grew.size())), 16) << trace;
}

}  // namespace
}  // namespace ql::harness
