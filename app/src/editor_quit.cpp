// Quitting with changes no file holds: the lesson window's CancelClose asks in the dialog SaveChanges
// whether to save them, let them go, or keep the program running.
#include "editor.h"

using namespace loquat;

extern "C" {

// The dialog's description, which qlimage writes; its window variable, cleared when it closes.
extern const uint8_t save_changes_window[];
QlObject* g_save_changes = nullptr;

}  // extern "C"

namespace {

enum class Answer { kNone, kSave, kDiscard, kCancel };
Answer g_answer = Answer::kNone;

// Closing the dialog by its frame, or the program being told to quit meanwhile, counts as Cancel.
Answer ask_save_changes() {
  g_answer = Answer::kNone;
  Obj dialog(RuntimeCreateWindow(save_changes_window, &g_save_changes));
  if (!dialog) return Answer::kCancel;
  RuntimeShowModal(dialog.get());
  if (g_save_changes) RuntimeCloseWindow(g_save_changes);
  return g_answer == Answer::kNone ? Answer::kCancel : g_answer;
}

void answer(Answer given) {
  g_answer = given;
  if (g_save_changes) RuntimeCloseWindow(g_save_changes);
}

}  // namespace

extern "C" {

extern const uint32_t save_changes_size = sizeof(QlWindowBase);

void save_changes_save_action(QlObject*) { answer(Answer::kSave); }
void save_changes_discard_action(QlObject*) { answer(Answer::kDiscard); }
void save_changes_cancel_action(QlObject*) { answer(Answer::kCancel); }

// True keeps the window, and so the program, running. A learner who never used the editor is never asked.
bool cloze_cancel_close(QlObject* self) {
  if (!state(self).table_changed) return false;
  switch (ask_save_changes()) {
    case Answer::kSave:
      return !save_table(self);
    case Answer::kDiscard:
      return false;
    case Answer::kNone:
    case Answer::kCancel:
      break;
  }
  return true;
}

}  // extern "C"
