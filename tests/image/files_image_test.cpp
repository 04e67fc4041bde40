// A compiled application that writes and reads files: next to its program file whatever the current
// directory, through the Save dialog, and the object dump.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "program_runner.h"

namespace ql::harness {
namespace {

using namespace std::string_literals;

TEST(ImageFiles, CompiledCodeWritesAndReadsFilesBesideTheProgram) {
  // The program runs from a folder of its own, with another folder as its current directory.
  std::string app_folder = make_temp_folder("files-app");
  std::string current = make_temp_folder("files-cwd");
  std::string saved = make_temp_folder("files-saved");
  ASSERT_TRUE(write_file(app_folder + "files.exe", read_file(program_folder() + "image_files.exe")));

  RunResult result = run_program("\"" + app_folder + "files.exe\"", current, 30000,
                                 {type_path(saved + "chosen"), cancel_dialog()});
  EXPECT_TRUE(result.started);
  EXPECT_FALSE(result.timed_out);
  EXPECT_EQ(result.exit_code, 0u);
  EXPECT_TRUE(result.boxes.empty());

  EXPECT_EQ(read_file(current + "trace.log"), "first line\rsecond\r258\r-2\r6\rchosen.txt\rnothing chosen\r");
  EXPECT_EQ(read_file(app_folder + "files.txt"), "first line\r\nsecond\n");
  EXPECT_EQ(read_file(app_folder + "numbers.bin"), "\x00\x00\x01\x02\xFF\xFE"s);
  EXPECT_EQ(GetFileAttributesA((current + "files.txt").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(read_file(saved + "chosen.txt"), "saved by dialog\r\n");

  ASSERT_EQ(result.file_dialogs.size(), 2u);
  EXPECT_EQ(result.file_dialogs[0].initial_name, "");
  EXPECT_EQ(result.file_dialogs[0].filter_names, std::vector<std::string>{"Text"});

  // The dump: the pool's usage, the object count, then the live objects newest first: the stream it
  // writes through, then the folder item it writes to.
  std::string dump = read_file(app_folder + "objects.txt");
  size_t first_end = dump.find("\r\n");
  ASSERT_NE(first_end, std::string::npos) << dump;
  EXPECT_TRUE(dump.substr(0, first_end).ends_with(" used in heap1")) << dump;
  size_t second_end = dump.find("\r\n", first_end + 2);
  std::string count_line = dump.substr(first_end + 2, second_end - first_end - 2);
  ASSERT_TRUE(count_line.ends_with(" objects")) << dump;
  int count = std::stoi(count_line);
  EXPECT_GE(count, 2);
  std::string classes = dump.substr(second_end + 2);
  EXPECT_TRUE(classes.starts_with("TextOutputStream\r\nFolderItem\r\n")) << dump;
  int lines = 0;
  for (size_t at = classes.find("\r\n"); at != std::string::npos; at = classes.find("\r\n", at + 2)) ++lines;
  EXPECT_EQ(lines, count);
}

}  // namespace
}  // namespace ql::harness
