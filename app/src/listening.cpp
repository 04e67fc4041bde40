// The 'L' and 'R' listening lessons: the voices, the recordings of the 30 words, the "play" box of a test
// and the listen-and-compare boards.
#include "cloze.h"
#include "lesson_table.h"

using namespace loquat;

namespace {

// The recorded words in the order of their sound resources: word i (from 1) is resource 2 + 2i in the voice
// "maren" and 3 + 2i in the voice "rowan".
QlString recorded_words() {
  return QL_STR(
      "Lice,Rice,Alive,Arrive,Belly,Berry,Collect,Correct,Flea,Fly,Free,Fry,Glass,Grass,Lace,Lane,Laser,"
      "Lentil,Light,Lip,Load,Long,Race,Rain,Razor,Rental,Rip,Road,Write,Wrong");
}
constexpr int32_t kRecordedWords = 30;

// 0 for a word without a recording.
int32_t word_number(QlString word) {
  for (int32_t i = 1; i <= kRecordedWords; ++i) {
    Str entry = nth_field(recorded_words(), QL_STR(","), i);
    if (same(word, entry.get())) return i;
  }
  return 0;
}

}  // namespace

namespace loquat {

void play_resource(int32_t number) {
  Obj sound(RuntimePictureReference(number));
  if (sound) soundPlay(sound.get());
}

void play_recording(QlObject* window, QlString word, QlString speaker) {
  int32_t i = word_number(word);
  if (i == 0) return;
  play_resource(same(speaker, QL_STR("maren")) ? 2 + 2 * i : 3 + 2 * i);
  // "?" in a test replays what was heard last, by the same speaker even when the voice is "both".
  Cloze& cloze = state(window);
  store(cloze.replay_word, word);
  store(cloze.replay_speaker, speaker);
}

// "play" sounds the word the test asks for; then only the two words remain, in one row.
void play_test_word(QlObject* window) {
  Str answer = cell_text(window, kAnswers);
  cloze_play_sound(window, answer.get());
  Str choices = cell_text(window, kChoices);
  Str first = nth_field(choices.get(), QL_STR(","), 1);
  Str second = nth_field(choices.get(), QL_STR(","), 2);
  Str pair = cat(first.get(), QL_STR(","), second.get());
  set_cell_text(window, kChoices, pair.get());
  set_cell_text(window, kLayout, QL_STR("2*72"));
  cloze_set_up_arrays(window);
  cloze_dis_gap_lines(window);
  cloze_display_strips(window);
  // The word boxes are laid out again; the "play" box, which carried the third choice, goes.
  Obj play = box(window, 3);
  if (play) show(play.get(), false);
}

}  // namespace loquat

extern "C" {

// "both" draws the speaker anew on every call.
QlString cloze_the_voice(QlObject* self) {
  QlString voice = state(self).voice;
  if (same(voice, QL_STR("maren"))) return retained(QL_STR("maren"));
  if (same(voice, QL_STR("both"))) {
    Obj draw(doubleToVariant(1 + rnd() * 2));
    if (variantToInt(draw.get()) == 2) return retained(QL_STR("maren"));
  }
  return retained(QL_STR("rowan"));
}

void cloze_play_sound(QlObject* self, QlString word) {
  Str speaker(cloze_the_voice(self));
  play_recording(self, word, speaker.get());
}

void cloze_menus_select_specials(QlObject* self, int32_t board) {
  const Lesson* lesson = find_lesson(board, true);
  if (!lesson) return;
  QlString code = lesson->prefix;
  hide_credits(self);
  cloze_clear_them_all(self);
  show(control(self, QL_STR("bigNoteField")), false);
  show(control(self, QL_STR("NoteField")), false);
  set_field_text(self, QL_STR("NumbersStrip"), nullptr);
  release(state(self).fault_flag);
  set_top_line(self, 1, lesson->title);

  QlObject* list = exercise_list(self);
  int32_t found = -1;
  int32_t rows = listCountGetter(list, 0);
  for (int32_t row = 0; row < rows; ++row) {
    RuntimeBackgroundTask();
    Str set_code(listGetCell(list, row, 1));
    if (starts_with(set_code.get(), code)) found = row;
  }
  // Without a board of that code in the table there is nothing to show.
  if (found < 0) return;
  load_row(self, found);
  cloze_set_up_arrays(self);
  cloze_display_strips(self);
  formRefresh(self);
  cloze_display_top_line(self);
}

}  // extern "C"
