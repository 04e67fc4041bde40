// Finds the message boxes a process shows, reads their caption and texts, and answers them, or holds them
// for a test that answers them itself.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

namespace ql::harness {

struct MessageBox {
  std::string caption;
  std::string text;  // the box's static texts, joined by "\n"
};

// The visible top-level dialogs (class "#32770") of a process, as HWNDs: message boxes and file dialogs.
// Found by class, which under Wine costs the process nothing, where enumerating every window would.
std::vector<void*> visible_dialogs(uint32_t process_id);
// The visible message boxes of a process (dialogs of class "#32770" that are not file dialogs), as HWNDs.
std::vector<void*> visible_message_boxes(uint32_t process_id);
MessageBox read_message_box(void* box);
// Presses the box's default button, as Enter would.
void press_default_button(void* box);

// Records every message box of one process once, in the order they appeared, and presses the default button
// of each unless boxes are held. Not thread-safe; one owner polls it.
class MessageBoxAnswerer {
 public:
  explicit MessageBoxAnswerer(uint32_t process_id) : process_id_(process_id) {}

  // Looks once for boxes: records new ones and answers every box still showing unless holding.
  void poll();
  // While holding, boxes are recorded but left showing; releasing answers those still showing at the next
  // poll.
  void hold(bool holding) { holding_ = holding; }
  bool holding() const { return holding_; }
  const std::vector<MessageBox>& seen() const { return seen_; }

 private:
  uint32_t process_id_;
  bool holding_ = false;
  std::vector<void*> recorded_;  // boxes still showing that are already in seen_
  std::vector<void*> answered_;
  std::vector<MessageBox> seen_;
};

}  // namespace ql::harness
