// Compiled applications run by the real runtime: what they trace, the message boxes they show, their exit.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "program_runner.h"

namespace ql::harness {
namespace {

const char kStringsTrace[] =
    "Hello, world\rn=12\rn=0\rn=1\rn=-1\rn=2\rA\rn=2001\rn=233\rHello\rworld\rdeclared in the project\r\r";

RunResult run_in(const std::string& program, const std::string& folder) {
  return run_program("\"" + program + "\"", folder);
}

RunResult run_app(const std::string& name, const std::string& folder) {
  return run_in(program_folder() + name + ".exe", folder);
}

void expect_clean_exit(const RunResult& result) {
  EXPECT_TRUE(result.started);
  EXPECT_FALSE(result.timed_out);
  EXPECT_EQ(result.exit_code, 0u);
}

void expect_one_box(const RunResult& result, const std::string& text) {
  expect_clean_exit(result);
  ASSERT_EQ(result.boxes.size(), 1u);
  EXPECT_EQ(result.boxes[0].caption, "Message");
  EXPECT_EQ(result.boxes[0].text, text);
}

TEST(ImageRun, StringEntryPointsFromCompiledCode) {
  std::string folder = make_temp_folder("strings");
  RunResult result = run_app("image_strings", folder);
  expect_clean_exit(result);
  EXPECT_TRUE(result.boxes.empty());
  EXPECT_EQ(read_file(folder + "trace.log"), kStringsTrace);
}

TEST(ImageRun, ImportsThatDifferOnlyInCaseLink) {
  std::string folder = make_temp_folder("case");
  RunResult result = run_app("image_case_imports", folder);
  expect_clean_exit(result);
  EXPECT_EQ(read_file(folder + "trace.log"), "case insensitive\r");
}

TEST(ImageRun, LibraryImportsLinkOrShowTheirFailure) {
  std::string folder = make_temp_folder("library");
  RunResult linked = run_app("image_library_routine", folder);
  expect_clean_exit(linked);
  EXPECT_EQ(read_file(folder + "trace.log"), "library routine called\r");

  std::string failed = make_temp_folder("library-missing");
  expect_one_box(run_app("image_missing_library", failed),
                 "The application could not be loaded because a necessary shared library nosuchlib.dll could "
                 "not be found.");
  expect_one_box(
      run_app("image_missing_routine", failed),
      "The application could not be loaded because the routine NoSuchRoutine could not be found in "
      "the shared library kernel32.dll.");
  expect_one_box(
      run_app("image_unknown_entry_point", failed),
      "The application could not be loaded because the routine NoSuchEntryPoint could not be found "
      "among the runtime's entry points.");
  // The entry routine never ran, so nothing was traced.
  EXPECT_EQ(GetFileAttributesA((failed + "trace.log").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(ImageRun, StringLibraryArraysAndVariantsFromCompiledCode) {
  std::string folder = make_temp_folder("values");
  RunResult result = run_app("image_values", folder);
  expect_clean_exit(result);
  EXPECT_TRUE(result.boxes.empty());
  EXPECT_EQ(read_file(folder + "trace.log"),
            "two\r5\ra catat and a hatat\rpadded\r1,234.50\r255\r3\r"
            "3\rApple\rbanana\rfig\rpear\r0\r42\r42\r2.75\r-3\r1.6744448e+07\rrnd in range\r");
}

TEST(ImageRun, DeferredImportsReachMembersOfBuiltInClasses) {
  // The program works next to itself, so it runs from a folder of its own.
  std::string folder = make_temp_folder("deferred");
  ASSERT_TRUE(write_file(folder + "app.exe", read_file(program_folder() + "image_deferred.exe")));
  RunResult result = run_in(folder + "app.exe", folder);
  expect_clean_exit(result);
  EXPECT_TRUE(result.boxes.empty());
  EXPECT_EQ(read_file(folder + "trace.log"), "missing\rdeferred.txt\rexists\r");
  EXPECT_EQ(read_file(folder + "deferred.txt"), "written through a deferred import");

  std::string missing = make_temp_folder("deferred-missing");
  expect_one_box(
      run_app("image_deferred_missing", missing),
      "The application could not be loaded because the member FolderItem!NoSuchMethod could not be "
      "found.");
  EXPECT_EQ(GetFileAttributesA((missing + "trace.log").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(ImageRun, CompiledClassesAndTheirHooks) {
  std::string folder = make_temp_folder("classes");
  RunResult result = run_app("image_classes", folder);
  expect_clean_exit(result);
  EXPECT_TRUE(result.boxes.empty());
  EXPECT_EQ(read_file(folder + "trace.log"),
            "application Open\rapplication NewDocument\r"
            "Animal constructed\rDog constructed after Animal\ra Dog is an Animal\rnil is nothing\r"
            "the dog speaks\rDog\rAnimal constructed\ran animal speaks\rAnimal destroyed\r"
            "one reference left\rDog destroyed\rAnimal destroyed\r");
}

TEST(ImageRun, MethodsThatCatchWhatTheRuntimeRaisesReturnNormally) {
  std::string folder = make_temp_folder("catch");
  RunResult result = run_app("image_catch", folder);
  expect_clean_exit(result);
  EXPECT_TRUE(result.boxes.empty());
  EXPECT_EQ(read_file(folder + "trace.log"), "caught every time\rregisters kept\rreturning to the runtime\r");
}

TEST(ImageRun, UnhandledExceptionsEndTheProgram) {
  std::string folder = make_temp_folder("unhandled");
  expect_one_box(
      run_app("image_unhandled", folder),
      "An exception of class typeMismatchException was not handled.\rThe application must shut down.");
  // The trace file was closed through the exit list, with everything written before the raise.
  EXPECT_EQ(read_file(folder + "trace.log"), "application Open\rapplication NewDocument\rraising\r");

  std::string ended = make_temp_folder("end");
  RunResult result = run_app("image_end", ended);
  expect_clean_exit(result);
  EXPECT_TRUE(result.boxes.empty());
  EXPECT_EQ(read_file(ended + "trace.log"), "application Open\rapplication NewDocument\rending\r");
}

const char* const kDevelopmentFiles[] = {"code1.dat", "code2.dat", "data1.dat", "data2.dat"};

std::string development_folder(const char* purpose) {
  std::string folder = make_temp_folder(purpose);
  for (const char* name : kDevelopmentFiles)
    write_file(folder + name, read_file(program_folder() + "image_strings-dev\\" + name));
  return folder;
}

std::string bare_runtime() { return program_folder() + "runtime\\loquat.exe"; }

TEST(ImageRun, DevelopmentModeReadsTheFilesOfTheCurrentFolder) {
  std::string folder = development_folder("dev");
  RunResult result = run_in(bare_runtime(), folder);
  expect_clean_exit(result);
  EXPECT_TRUE(result.boxes.empty());
  EXPECT_EQ(read_file(folder + "trace.log"), kStringsTrace);

  std::string empty = make_temp_folder("dev-empty");
  expect_one_box(
      run_in(bare_runtime(), empty),
      "The application could not be loaded because the development file code1.dat could not be read "
      "from the current folder.");
}

void put_u32(std::string& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

uint32_t get_u32(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + i])) << (8 * i);
  return value;
}

TEST(ImageRun, DamagedDevelopmentFilesAreRefused) {
  struct Case {
    const char* file;
    void (*damage)(std::string&);
    const char* expected;
  };
  const Case cases[] = {
      {"data2.dat", [](std::string& b) { b = std::string("\xFF\x43", 2); },
       "The application image is damaged: relocation word 0 of data2 reaches past the end of data1"},
      {"code2.dat", [](std::string& b) { b = std::string("\x02\xF0\xFF\xFF\x00", 5); },
       "The application image is damaged: the data fixup at code1 offset 16777200 lies outside code1."},
      {"code2.dat", [](std::string& b) { b += std::string("\x01\x10\x00\x00\x00\x20Strin", 11); },
       "The application image is damaged: the import record at code2 offset"},
      {"data1.dat", [](std::string& b) { b.resize(6); },
       "The application image is damaged: data1 is shorter than its two header words."},
      {"data1.dat", [](std::string& b) { put_u32(b, 0, 0x7FFFFFF0); },
       "The application image is damaged: its entry routine lies outside code1."},
      {"data1.dat", [](std::string& b) { put_u32(b, 4, get_u32(b, 4) + 0x01000000); },
       "The application image is damaged: the project table lies outside data1."},
  };
  for (const Case& c : cases) {
    std::string folder = development_folder("damaged");
    std::string bytes = read_file(folder + c.file);
    c.damage(bytes);
    write_file(folder + c.file, bytes);
    RunResult result = run_in(bare_runtime(), folder);
    expect_clean_exit(result);
    ASSERT_EQ(result.boxes.size(), 1u) << c.expected;
    EXPECT_EQ(result.boxes[0].text.rfind(c.expected, 0), 0u) << result.boxes[0].text;
  }
}

// The image offset of an executable that carries an image, from its PICKLE resource.
uint32_t image_offset(const std::string& program) {
  HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  HRSRC resource = module ? FindResourceA(module, MAKEINTRESOURCEA(101), "PICKLE") : nullptr;
  const auto* bytes =
      resource ? static_cast<const uint8_t*>(LockResource(LoadResource(module, resource))) : nullptr;
  uint32_t offset =
      bytes ? bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24 : 0;
  if (module) FreeLibrary(module);
  return offset;
}

TEST(ImageRun, DamagedProgramFilesAreRefused) {
  std::string original = program_folder() + "image_strings.exe";
  std::string bytes = read_file(original);
  uint32_t offset = image_offset(original);
  ASSERT_GT(offset, 0u);
  ASSERT_LT(offset, bytes.size());
  uint32_t code1_length = get_u32(bytes, offset);

  struct Case {
    const char* what;
    std::string bytes;
    const char* expected;
  };
  std::string truncated = bytes.substr(0, bytes.size() - 7);
  std::string long_block = bytes;
  put_u32(long_block, offset + 4 + code1_length, 0x7FFFFFFF);
  std::string no_length = bytes.substr(0, offset + 2);
  const Case cases[] = {
      {"truncated", truncated, "The application could not be loaded because block data2 claims"},
      {"long block", long_block, "The application could not be loaded because block code2 claims 2147483647"},
      {"no length", no_length, "The application could not be loaded because the program file ends before"},
  };
  for (const Case& c : cases) {
    std::string folder = make_temp_folder("damaged-program");
    ASSERT_TRUE(write_file(folder + "app.exe", c.bytes));
    RunResult result = run_in(folder + "app.exe", folder);
    expect_clean_exit(result);
    ASSERT_EQ(result.boxes.size(), 1u) << c.what;
    EXPECT_EQ(result.boxes[0].text.rfind(c.expected, 0), 0u) << c.what << ": " << result.boxes[0].text;
  }
}

}  // namespace
}  // namespace ql::harness
