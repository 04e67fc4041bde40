// The exit list: adding, removing and destroying its entries, newest first.
#include "values/exit_list.h"

namespace ql {

namespace {
ExitListEntry*& newest() {
  static ExitListEntry* head = nullptr;
  return head;
}
}  // namespace

void exit_list_add(ExitListEntry* entry) {
  exit_list_remove(entry);  // registering twice would loop the list
  entry->next_on_exit_list = newest();
  newest() = entry;
}

void exit_list_remove(ExitListEntry* entry) {
  for (ExitListEntry** link = &newest(); *link; link = &(*link)->next_on_exit_list) {
    if (*link == entry) {
      *link = entry->next_on_exit_list;
      entry->next_on_exit_list = nullptr;
      return;
    }
  }
}

void run_exit_list() {
  // Each entry leaves the list before it is destroyed, so one that removes itself, or registers another
  // entry while it goes, is handled like any other.
  while (ExitListEntry* entry = newest()) {
    newest() = entry->next_on_exit_list;
    entry->next_on_exit_list = nullptr;
    entry->destroy_at_exit();
  }
}

}  // namespace ql
