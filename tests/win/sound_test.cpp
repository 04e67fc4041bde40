// Stored sounds through DirectSound, heard in the file the tests send Wine's sound to: a sound lasts its
// length, playing it again while it sounds does not restart it, two sounds mix, and with no sound device
// nothing is heard and nothing is said.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "audio_capture.h"
#include "objects/class_object.h"
#include "objects/class_registry.h"
#include "objects/objects.h"
#include "quillet/graphics.h"
#include "support/ui_test_window.h"
#include "ui/ui_steps.h"

namespace ql::testing {
namespace {

using harness::AudioCapture;
using harness::kCaptureRate;
using harness::sounding_stretches;
using harness::Stretch;

// A sound held at one level: 0x80 is silence, so 0x80 + n sounds at n/128 of full scale throughout.
struct StoredSound {
  std::string samples;
  QlObject* sound;
  StoredSound(size_t length, int level) : samples(length, static_cast<char>(0x80 + level)) {
    define_ui_test_classes();
    sound = make_sound_item(reinterpret_cast<const uint8_t*>(samples.data()), static_cast<uint32_t>(length));
  }
  ~StoredSound() { release_object(sound); }
  bool is_playing() const {
    const MethodRecord* method = find_method(builtin_class("Sound"), "IsPlaying");
    return method && reinterpret_cast<bool (*)(QlObject*)>(method->code)(sound);
  }
};

bool wait_until_quiet(const StoredSound& s, int timeout_ms) {
  for (int waited = 0; waited < timeout_ms; waited += 10) {
    if (!s.is_playing()) return true;
    Sleep(10);
  }
  return false;
}

// Frames, at the capture rate, that `bytes` of 22050-a-second samples last.
size_t frames_of(size_t bytes) { return bytes * kCaptureRate / 22050; }

// The mean level of the heard frames from `begin` to `end`.
double level(const std::vector<int16_t>& heard, size_t begin, size_t end) {
  double sum = 0;
  for (size_t i = begin; i < end; ++i) sum += heard[i];
  return end > begin ? sum / static_cast<double>(end - begin) : 0;
}

class Sound : public ::testing::Test {
 protected:
  void SetUp() override {
    if (harness::audio_capture_path().empty())
      GTEST_SKIP() << "run through ctest, which sends Wine's sound to a file";
    if (std::getenv("QL_NO_AUDIO_DEVICE")) GTEST_SKIP() << "this run has no sound device";
    // Wine's sound output opens the file at this process's first play and writes it from the start: what an
    // earlier run left is removed before then, so that marks made before that first play hold.
    static bool removed = DeleteFileA(harness::audio_capture_path().c_str()) || true;
    (void)removed;
  }
};

TEST_F(Sound, AStoredSoundLastsItsLengthAndPlayingItAgainWhileItSoundsDoesNotRestartIt) {
  StoredSound click(3703, 32);
  EXPECT_FALSE(click.is_playing());
  soundStop(click.sound);  // never played: nothing to stop
  EXPECT_FALSE(click.is_playing());

  AudioCapture once;
  soundPlay(click.sound);
  EXPECT_TRUE(click.is_playing());
  ASSERT_TRUE(wait_until_quiet(click, 3000)) << "IsPlaying stayed True";
  Sleep(400);  // what was mixed reaches the file
  std::vector<int16_t> heard = once.heard();
  std::vector<Stretch> stretches = sounding_stretches(heard);
  ASSERT_EQ(stretches.size(), 1u);
  EXPECT_NEAR(static_cast<double>(stretches[0].frames()), frames_of(3703), frames_of(3703) * 0.03)
      << "3703 bytes should sound for 3703 / 22050 s";

  // Wine mixes ahead of time into the file, so a short sound may be over before a second play arrives: the
  // second play comes while a longer one certainly still sounds.
  StoredSound word(44100, 32);
  AudioCapture twice;
  soundPlay(word.sound);
  Sleep(20);
  ASSERT_TRUE(word.is_playing());
  soundPlay(word.sound);
  ASSERT_TRUE(wait_until_quiet(word, 5000));
  Sleep(400);
  heard = twice.heard();
  stretches = sounding_stretches(heard);
  ASSERT_EQ(stretches.size(), 1u) << "the second play started a second sound";
  EXPECT_NEAR(static_cast<double>(stretches[0].frames()), frames_of(44100), frames_of(44100) * 0.01)
      << "the second play restarted the sound";
}

TEST_F(Sound, TwoStoredSoundsPlayingTogetherAreMixed) {
  StoredSound low(44100, 16), high(2205, 32);  // two seconds, and a tenth of a second at twice the level
  AudioCapture capture;
  soundPlay(low.sound);
  Sleep(20);
  soundPlay(high.sound);
  ASSERT_TRUE(low.is_playing());
  ASSERT_TRUE(wait_until_quiet(low, 5000));
  EXPECT_FALSE(high.is_playing());
  Sleep(400);
  std::vector<int16_t> heard = capture.heard();
  std::vector<Stretch> stretches = sounding_stretches(heard);
  ASSERT_EQ(stretches.size(), 1u);
  const Stretch& all = stretches[0];
  EXPECT_NEAR(static_cast<double>(all.frames()), frames_of(44100), frames_of(44100) * 0.01)
      << "the second sound cut the first short";
  // The first sound alone at its end; both, at three times that, while the second sounds.
  const double alone = level(heard, all.end - 2000, all.end - 100);
  ASSERT_GT(alone, 1000);
  size_t mixed = 0;
  for (size_t i = all.begin; i < all.end; ++i) mixed += std::abs(heard[i] - 3 * alone) < alone / 4 ? 1 : 0;
  EXPECT_NEAR(static_cast<double>(mixed), frames_of(2205), frames_of(2205) * 0.05)
      << "the two sounds were not heard together";
}

// Watches for a window this process shows, as a message box would be, and closes it.
class DialogWatch {
 public:
  DialogWatch() : thread_([this] { watch(); }) {}
  ~DialogWatch() {
    stop_ = true;
    thread_.join();
  }
  bool saw_one() const { return seen_; }

 private:
  // A callback of the system's calling convention, which on i386 no lambda converts to.
  static BOOL CALLBACK close_if_ours(HWND window, LPARAM self) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window)) {
      reinterpret_cast<DialogWatch*>(self)->seen_ = true;
      PostMessageA(window, WM_CLOSE, 0, 0);
    }
    return TRUE;
  }
  void watch() {
    while (!stop_) {
      EnumWindows(close_if_ours, reinterpret_cast<LPARAM>(this));
      Sleep(20);
    }
  }
  std::atomic<bool> stop_{false}, seen_{false};
  std::thread thread_;
};

// Run by its own ctest entry, with Wine's sound drivers turned off.
TEST(SoundWithoutDevice, PlaysNothingSaysNothingAndTriesAgainAtTheNextPlay) {
  if (!std::getenv("QL_NO_AUDIO_DEVICE")) GTEST_SKIP() << "needs a run without a sound device";
  StoredSound click(3703, 32);
  AudioCapture capture;
  DialogWatch watch;
  for (int play = 0; play < 3; ++play) {
    soundPlay(click.sound);
    EXPECT_FALSE(click.is_playing());
    Sleep(100);
  }
  soundStop(click.sound);
  EXPECT_FALSE(watch.saw_one()) << "a window was shown";
  Sleep(300);
  EXPECT_TRUE(sounding_stretches(capture.heard()).empty()) << "something was heard";
}

}  // namespace
}  // namespace ql::testing
