// The exit list: objects destroyed, newest first, when the process ends through a fatal path (the trace
// file, scratch files). An entry stays registered until it removes itself.
#pragma once

namespace ql {

struct ExitListEntry {
  virtual void destroy_at_exit() = 0;
  ExitListEntry* next_on_exit_list = nullptr;

 protected:
  ~ExitListEntry() = default;
};

void exit_list_add(ExitListEntry* entry);
void exit_list_remove(ExitListEntry* entry);  // an entry not on the list is ignored
void run_exit_list();

}  // namespace ql
