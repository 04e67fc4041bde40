// Action and selection receivers.
#include "ui/events/receivers.h"

#include <algorithm>

#include "objects/class_object.h"
#include "objects/objects.h"

namespace ql {

namespace {

uintptr_t method_code(QlObject* receiver, const char* method) {
  const MethodRecord* record = find_method(class_of(receiver), method);
  return record ? record->code : 0;
}

// Held for the calls: a receiver may remove itself, or others, while it is told.
struct HeldList {
  explicit HeldList(const std::vector<QlObject*>& list) : objects(list) {
    for (QlObject* o : objects) retain_object(o);
  }
  ~HeldList() {
    for (QlObject* o : objects) release_object(o);
  }
  std::vector<QlObject*> objects;
};

}  // namespace

Receivers::~Receivers() {
  for (QlObject* receiver : list_) release_object(receiver);
}

void Receivers::add(QlObject* receiver) {
  if (!receiver) return;
  retain_object(receiver);
  list_.insert(list_.begin(), receiver);
}

void Receivers::remove(QlObject* receiver) {
  auto it = std::find(list_.begin(), list_.end(), receiver);
  if (it == list_.end()) return;
  list_.erase(it);
  release_object(receiver);
}

void Receivers::tell(const char* method) const {
  HeldList held(list_);
  for (QlObject* receiver : held.objects) {
    if (uintptr_t code = method_code(receiver, method)) reinterpret_cast<void (*)(QlObject*)>(code)(receiver);
  }
}

void Receivers::tell_about(const char* method, QlObject* sender) const {
  HeldList held(list_);
  for (QlObject* receiver : held.objects) {
    if (uintptr_t code = method_code(receiver, method))
      reinterpret_cast<void (*)(QlObject*, QlObject*)>(code)(receiver, sender);
  }
}

void add_receiver(Receivers*& slot, QlObject* receiver) {
  if (!receiver) return;
  if (!slot) slot = new Receivers;
  slot->add(receiver);
}

void remove_receiver(Receivers* slot, QlObject* receiver) {
  if (slot) slot->remove(receiver);
}

}  // namespace ql
