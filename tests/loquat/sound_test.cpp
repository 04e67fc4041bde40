// Sound end to end: Wine's ALSA output pointed at a file, and what a compare-board click makes arrive there.
#include "loquat_fixture.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace ql::loquat_tests {
namespace {

// The file Wine's ALSA output goes to: the tests' CMake file points HOME at an .asoundrc with a file PCM and
// names the file in QL_AUDIO_FILE (a Linux path, read here through drive Z:).
std::string audio_file() {
  const char* unix_path = std::getenv("QL_AUDIO_FILE");
  if (!unix_path) return {};
  std::string path = std::string("Z:") + unix_path;
  for (char& c : path) c = c == '/' ? '\\' : c;
  return path;
}

class LoquatSound : public Loquat {
 protected:
  void SetUp() override {
    if (audio_file().empty()) GTEST_SKIP() << "run through ctest, which points Wine's sound at a file";
    DeleteFileA(audio_file().c_str());
    Loquat::SetUp();
  }

  // Frames of the left channel (16-bit stereo, as Wine's mixer writes) louder than a whisper.
  size_t sounding_frames() const {
    std::string bytes = harness::read_file(audio_file());
    size_t loud = 0;
    for (size_t at = 0; at + 4 <= bytes.size(); at += 4) {
      int16_t left;
      std::memcpy(&left, bytes.data() + at, 2);
      if (left > 300 || left < -300) ++loud;
    }
    return loud;
  }
};

TEST_F(LoquatSound, ACompareWordClickedIsHeard) {
  ASSERT_TRUE(choose({"Sounds", "L/R 1 - Compare"}));
  ASSERT_TRUE(click(box(1)));
  Sleep(1500);  // the recording plays out
  program_->end();
  // A word is a few tenths of a second: thousands of frames at the mixer's rate.
  EXPECT_GT(sounding_frames(), 4000u) << "nothing was heard in " << audio_file();
}

}  // namespace
}  // namespace ql::loquat_tests
