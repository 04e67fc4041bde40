// Loquat downloaded into a folder that holds DLLs named like the system's: it loads the system's own and
// works, with the rich edit control of its introductions and the click of a wrong answer.
#include "loquat_fixture.h"

#include <psapi.h>
#include <string.h>
#include <strings.h>

#include "audio_capture.h"

namespace ql::loquat_tests {
namespace {

// The DLLs the runtime loads by name that are not known DLLs, which Windows would look for in the program's
// folder first: its imports from the common controls, DirectSound, WINMM and the imaging codecs, and the
// rich edit libraries it loads itself.
#ifdef _WIN64
const char* const kPlanted[] = {"comctl32.dll",      "dsound.dll",   "winmm.dll",
                                "windowscodecs.dll", "riched32.dll", "riched20.dll"};
#else
// The win32 program still imports the other four at load time (its delay-import thunks do not run under
// Wine), so that only the libraries it loads itself are kept from the program's folder there.
const char* const kPlanted[] = {"riched32.dll", "riched20.dll"};
#endif

class LoquatBesidePlantedDlls : public Loquat {
 protected:
  // Wine takes its builtin DLL for a system DLL's name even where it found another file (and reports the
  // module at that file's path). The ctest entry loquat_planted_dlls has Wine prefer native DLLs for the
  // planted names, as Windows always does, so that planted code runs wherever a planted file is found;
  // Wine reads that preference from the environment it was started in.
  void SetUp() override {
    if (harness::audio_capture_path().empty())
      GTEST_SKIP() << "run through ctest, which sends Wine's sound to a file";
    char overrides[1024] = {};
    GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
    if (!strstr(overrides, "riched20")) GTEST_SKIP() << "run through ctest as loquat_planted_dlls";
    // The program's first play opens the file afresh.
    DeleteFileA(harness::audio_capture_path().c_str());
    Loquat::SetUp();
  }

  // A copy of loquat.exe in the test's folder, with the planted DLLs beside it.
  std::string program_path() const override {
    const std::string copy = folder_ + "loquat.exe";
    EXPECT_TRUE(CopyFileA((harness::program_folder() + "loquat.exe").c_str(), copy.c_str(), FALSE));
    for (const char* name : kPlanted)
      EXPECT_TRUE(
          CopyFileA((harness::program_folder() + "planted_dll.dll").c_str(), (folder_ + name).c_str(), FALSE))
          << name;
    return copy;
  }

  // Whether or not the program started, no planted DLL may have run.
  void TearDown() override {
    Loquat::TearDown();
    std::vector<std::string> ran;
    for (const char* name : kPlanted) {
      if (GetFileAttributesA((folder_ + name + ".loaded").c_str()) != INVALID_FILE_ATTRIBUTES)
        ran.push_back(name);
    }
    EXPECT_EQ(ran, std::vector<std::string>{}) << "planted DLLs that were loaded and ran";
  }

  // The program's modules loaded from its own folder.
  std::vector<std::string> loaded_from_the_folder() const {
    std::vector<std::string> found;
    HMODULE modules[512];
    DWORD bytes = 0;
    if (!EnumProcessModules(program_->process(), modules, sizeof modules, &bytes)) {
      ADD_FAILURE() << "the program's modules cannot be listed (error " << GetLastError() << ")";
      return found;
    }
    for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 512; ++i) {
      char path[MAX_PATH] = {};
      GetModuleFileNameExA(program_->process(), modules[i], path, MAX_PATH);
      std::string file(path);
      if (strncasecmp(file.c_str(), folder_.c_str(), folder_.size()) == 0 &&
          strcasecmp(file.c_str(), (folder_ + "loquat.exe").c_str()) != 0)
        found.push_back(file);
    }
    return found;
  }
};

TEST_F(LoquatBesidePlantedDlls, LoadsTheSystemsDllsAndStillShowsItsIntroductionAndClicks) {
  ASSERT_TRUE(choose({"Articles", "1 Basic Rules"}));
  HWND introduction = control(kBigNoteField);
  ASSERT_TRUE(is_visible(introduction));
  char name[64] = {};
  GetClassNameA(introduction, name, sizeof name);
  EXPECT_EQ(strncasecmp(name, "RichEdit", 8), 0) << "the introduction is a " << name;
  EXPECT_NE(window_text(introduction), "");

  ASSERT_TRUE(click_first_box());  // "examples"
  std::string wanted = trimmed(split(fdb(4), ',')[0]);
  std::vector<std::string> choices = split(fdb(5), ',');
  int wrong = 0;
  for (int i = 0; i < static_cast<int>(choices.size()) && !wrong; ++i)
    if (strcasecmp(trimmed(choices[i]).c_str(), wanted.c_str()) != 0) wrong = i + 1;
  ASSERT_GT(wrong, 0);
  harness::AudioCapture clicking;
  ASSERT_TRUE(click(box(wrong)));
  EXPECT_TRUE(wait_until([&] { return !harness::sounding_stretches(clicking.heard()).empty(); },
                         "the click of a wrong answer", 10000));

  EXPECT_EQ(loaded_from_the_folder(), std::vector<std::string>{});
}

}  // namespace
}  // namespace ql::loquat_tests
