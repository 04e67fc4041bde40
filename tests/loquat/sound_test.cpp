// Loquat's sounds as a learner hears them, read back from the file the tests send Wine's sound to and matched
// against the committed recordings: the compare boards in each voice, the tests' "play" and "?", and the
// click of a wrong answer, which the File menu turns off and on.
#include "loquat_fixture.h"

#include <map>

#include "audio_capture.h"

namespace ql::loquat_tests {
namespace {

using harness::AudioCapture;
using harness::Stretch;

// The word recordings the program was built with, by "speaker/Word".
const std::map<std::string, std::string>& recordings() {
  static const std::map<std::string, std::string> all = [] {
    std::map<std::string, std::string> found;
    const std::string folder = harness::windows_path_of_unix(QL_RECORDINGS_DIR);
    for (const char* speaker : {"rowan", "maren"}) {
      WIN32_FIND_DATAA entry;
      HANDLE search = FindFirstFileA((folder + "\\" + speaker + "\\*.u8").c_str(), &entry);
      if (search == INVALID_HANDLE_VALUE) continue;
      do {
        std::string word(entry.cFileName, strlen(entry.cFileName) - 3);
        found[std::string(speaker) + "/" + word] =
            harness::read_file(folder + "\\" + speaker + "\\" + entry.cFileName);
      } while (FindNextFileA(search, &entry));
      FindClose(search);
    }
    return found;
  }();
  return all;
}

class LoquatSound : public Loquat {
 protected:
  void SetUp() override {
    if (harness::audio_capture_path().empty())
      GTEST_SKIP() << "run through ctest, which sends Wine's sound to a file";
    ASSERT_EQ(recordings().size(), 60u) << "the recordings were not found in " << QL_RECORDINGS_DIR;
    // The program's first play opens the file afresh.
    DeleteFileA(harness::audio_capture_path().c_str());
    Loquat::SetUp();
  }

  // What was heard since the mark, each sound named by the recording it matches best.
  // `sounds` is how many the test awaits: a word may start well after its click.
  static std::vector<std::string> heard_since(const AudioCapture& mark, size_t sounds) {
    std::vector<int16_t> heard = mark.heard_through(sounds);
    std::vector<std::string> names;
    for (const Stretch& stretch : harness::sounding_stretches(heard)) {
      // The click is a few milliseconds long, and Wine's resampler loses the first of them: it is told by its
      // length, shorter than any word.
      if (stretch.frames() < harness::kCaptureRate / 20) {
        names.push_back("click");
        continue;
      }
      std::string best;
      double best_likeness = 0;
      for (const auto& [name, samples] : recordings()) {
        double likeness = harness::likeness(heard, stretch, samples);
        if (likeness > best_likeness) best_likeness = likeness, best = name;
      }
      names.push_back(best_likeness > 0.9 ? best
                                          : "something unrecorded (closest " + best + " at " +
                                                std::to_string(best_likeness) + ")");
    }
    return names;
  }

  // The box whose caption is not the answer the item expects next.
  int wrong_box() const {
    std::string wanted = trimmed(split(fdb(4), ',')[0]);
    std::vector<std::string> choices = split(fdb(5), ',');
    for (int i = 0; i < static_cast<int>(choices.size()); ++i)
      if (trimmed(choices[i]) != wanted) return i + 1;
    return 0;
  }
};

using Heard = std::vector<std::string>;

TEST_F(LoquatSound, ACompareWordIsHeardInTheVoiceChosenAndBothVoicesTakeTurns) {
  ASSERT_TRUE(choose({"Sounds", "L/R 1 - Compare"}));
  const std::string word = trimmed(split(fdb(5), ',')[0]);
  AudioCapture first;
  ASSERT_TRUE(click(box(1)));
  EXPECT_EQ(heard_since(first, 1), Heard{"rowan/" + word}) << "with no voice chosen, rowan speaks";

  ASSERT_TRUE(choose({"Sounds", "Choose Voice", "Maren"}));
  AudioCapture maren;
  ASSERT_TRUE(click(box(1)));
  EXPECT_EQ(heard_since(maren, 1), Heard{"maren/" + word});

  ASSERT_TRUE(choose({"Sounds", "Choose Voice", "Both"}));
  AudioCapture both;
  for (int play = 0; play < 10; ++play) {
    ASSERT_TRUE(click(box(1)));
    both.heard_through(static_cast<size_t>(play) + 1);  // each word sounds apart from the next
  }
  Heard heard = heard_since(both, 10);
  ASSERT_EQ(heard.size(), 10u);
  int by_rowan = 0;
  for (const std::string& name : heard) {
    EXPECT_TRUE(name == "rowan/" + word || name == "maren/" + word) << name;
    by_rowan += name == "rowan/" + word ? 1 : 0;
  }
  EXPECT_GT(by_rowan, 0) << "maren spoke every time";
  EXPECT_LT(by_rowan, 10) << "rowan spoke every time";
}

TEST_F(LoquatSound, ATestPlaysItsAnswerAndTheQuestionMarkReplaysTheSameRecording) {
  ASSERT_TRUE(choose({"Sounds", "L/R Test All"}));
  ASSERT_TRUE(choose({"Sounds", "Choose Voice", "Both"}));
  ASSERT_TRUE(click_first_box());  // "start"
  for (int item = 0; item < 4; ++item) {
    if (item > 0) {
      ASSERT_TRUE(click_first_box());  // "next"
    }
    const std::string answer = trimmed(fdb(4));
    AudioCapture before_play;
    ASSERT_TRUE(click(box(1)));  // a word before "play" only clicks, whatever the File menu says
    before_play.heard_through(1);
    ASSERT_TRUE(click(box(3)));  // "play"
    Heard played = heard_since(before_play, 2);
    ASSERT_EQ(played.size(), 2u);
    EXPECT_EQ(played[0], "click");
    EXPECT_EQ(played[1].substr(played[1].find('/') + 1), answer);
    ASSERT_TRUE(answer_item());
    AudioCapture replay;
    ASSERT_TRUE(click(box(2)));  // "?"
    EXPECT_EQ(heard_since(replay, 1), Heard{played[1]}) << "\"?\" should replay what was heard";
  }
}

TEST_F(LoquatSound, RHearsTheWordAgainBeforeAndAfterAnsweringAndAWrongWordIsMarked) {
  ASSERT_TRUE(choose({"Sounds", "L/R Test All"}));
  ASSERT_TRUE(choose({"Sounds", "Choose Voice", "Both"}));
  ASSERT_TRUE(choose({"File", "Mark Wrong Answers"}));
  AudioCapture opening;
  press_key('R');                  // no item yet: nothing to hear
  ASSERT_TRUE(click_first_box());  // "start"
  press_key('R');                  // waiting for "play": the word is not given away
  settle(main_);
  EXPECT_EQ(heard_since(opening, 0), Heard{});
  const std::string answer = trimmed(fdb(4));
  AudioCapture play;
  ASSERT_TRUE(click(box(3)));  // "play"
  Heard played = heard_since(play, 1);
  ASSERT_EQ(played.size(), 1u);
  AudioCapture before;
  press_key('R');
  settle(main_);
  EXPECT_EQ(heard_since(before, 1), played) << "R before answering";
  EXPECT_EQ(trimmed(fdb(4)), answer);
  EXPECT_EQ(pool().size(), 30u);

  // The wrong word, chosen by its key, is struck through; the item then counts as faulted.
  const int wrong = trimmed(split(fdb(5), ',')[0]) == answer ? 2 : 1;
  const RECT word = client_rect_on_screen(box(wrong));
  EXPECT_EQ(ScreenCapture(word).count(RGB(255, 0, 0), 40), 0);
  press_key(static_cast<WORD>('0' + wrong));
  settle(main_);
  EXPECT_GT(ScreenCapture(word).count(RGB(255, 0, 0), 40), width_of(word)) << "the wrong word is not marked";
  ASSERT_TRUE(answer_item());
  AudioCapture after;
  press_key('R');
  settle(main_);
  EXPECT_EQ(heard_since(after, 1), played) << "R after answering";
  EXPECT_EQ(pool().size(), 30u) << "the faulted item left the pool";
  expect_title("TEST 'L' or 'R' All Items  - 30 items left");
}

TEST_F(LoquatSound, AWrongAnswerClicksOnlyWhileTheFileMenuReadsClickingOff) {
  ASSERT_TRUE(choose({"Articles", "1 Basic Rules"}));
  ASSERT_TRUE(click_first_box());  // "examples"
  AudioCapture clicking;
  ASSERT_TRUE(click(box(wrong_box())));
  EXPECT_EQ(heard_since(clicking, 1), Heard{"click"});

  ASSERT_TRUE(choose({"File", "Clicking Off"}));
  ASSERT_TRUE(find_menu_item(main_, {"File", "Clicking On"}));
  AudioCapture quiet;
  ASSERT_TRUE(click(box(wrong_box())));
  EXPECT_EQ(heard_since(quiet, 0), Heard{});

  AudioCapture turned_on;  // turning clicks on again clicks once, to say so
  ASSERT_TRUE(choose({"File", "Clicking On"}));
  ASSERT_TRUE(find_menu_item(main_, {"File", "Clicking Off"}));
  EXPECT_EQ(heard_since(turned_on, 1), Heard{"click"});
}

}  // namespace
}  // namespace ql::loquat_tests
