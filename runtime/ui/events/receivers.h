// Objects a control tells of its actions or selection changes: each is asked for a method by name on its
// class and skipped when it has none. The list holds a reference to each.
#pragma once

#include <vector>

#include "quillet/types.h"

namespace ql {

class Receivers {
 public:
  Receivers() = default;
  ~Receivers();
  Receivers(const Receivers&) = delete;
  Receivers& operator=(const Receivers&) = delete;

  void add(QlObject* receiver);     // at the front; nil is ignored
  void remove(QlObject* receiver);  // one occurrence, its reference given back
  bool empty() const { return list_.empty(); }

  // Calls method on every receiver, the most recently added first: with no argument, or with sender.
  void tell(const char* method) const;
  void tell_about(const char* method, QlObject* sender) const;

 private:
  std::vector<QlObject*> list_;  // most recently added first
};

// Adds to the list behind slot, making it on first use; removes from it when it exists.
void add_receiver(Receivers*& slot, QlObject* receiver);
void remove_receiver(Receivers* slot, QlObject* receiver);

}  // namespace ql
