// Times the object model's hot paths: creating and releasing an object of a class with constructors and
// destructors, locking and unlocking, and event lookup on a five-class chain, and prints ns per operation.
#include <stdio.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "objects/class_object.h"
#include "objects/objects.h"
#include "quillet/objects.h"
#include "values/string.h"

namespace {

constexpr int kRounds = 7;  // the best round counts
constexpr int kOperations = 1000000;

unsigned constructed = 0;
void count_construction(QlObject*, ql::ClassObject*) { ++constructed; }
void count_destruction(QlObject*, ql::ClassObject*) { --constructed; }

std::unique_ptr<ql::ClassObject> make_class(const char* name, ql::ClassObject* superclass, int32_t size) {
  auto cls = std::make_unique<ql::ClassObject>();
  cls->name = ql::string_from_cstr(name);
  cls->superclass = superclass;
  cls->instance_size = size;
  return cls;
}

template <typename Body>
double best_ns_per_operation(Body body) {
  double best = 1e30;
  for (int round = 0; round < kRounds; ++round) {
    auto start = std::chrono::steady_clock::now();
    body();
    std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
    best = std::min(best, elapsed.count() / kOperations);
  }
  return best;
}

}  // namespace

int main() {
  // Object <- Control <- RectControl <- PushButton <- the control's anonymous class: RectControl declares
  // the events, each class has a few hooks, as a window's controls do.
  ql::EventDefinition events[] = {{"Open", "", ""},
                                  {"Close", "", ""},
                                  {"Action", "", ""},
                                  {"MouseDown", "X As Integer, Y As Integer", "Boolean"},
                                  {"Paint", "g As Graphics", ""}};
  auto root = make_class("Object", nullptr, 24);
  auto control = make_class("Control", root.get(), 88);
  auto rect_control = make_class("RectControl", control.get(), 88);
  auto button = make_class("PushButton", rect_control.get(), 116);
  auto anonymous = make_class("", button.get(), 116);
  for (const ql::EventDefinition& event : events) rect_control->events.push_back(&event);
  root->constructor = count_construction;
  root->destructor = count_destruction;
  button->constructor = count_construction;
  button->destructor = count_destruction;
  button->hooks = {{"KeyDown", 1, 0x1000}, {"GotFocus", 2, 0x1010}};
  anonymous->hooks = {{"Open", 3, 0x2000}, {"Action", 4, 0x2010}, {"MouseDown", 5, 0x2020}};

  double create_ns = best_ns_per_operation([&] {
    for (int i = 0; i < kOperations; ++i) RuntimeUnlockObject(ql::new_object(anonymous.get()));
  });

  QlObject* object = ql::new_object(anonymous.get());
  double lock_ns = best_ns_per_operation([&] {
    for (int i = 0; i < kOperations; ++i) RuntimeUnlockObject(RuntimeLockObject(object));
  });

  uintptr_t found = 0;
  double lookup_ns = best_ns_per_operation([&] {
    for (int i = 0; i < kOperations; ++i) found += ql::find_event_handler(object, events[i % 5]);
  });
  RuntimeUnlockObject(object);

  printf("object create + release (5-class chain, 2 constructors, 2 destructors): %.1f ns\n", create_ns);
  printf("lock + unlock: %.1f ns\n", lock_ns);
  printf("event lookup on a 5-class chain (5 events, 5 hooks): %.1f ns\n", lookup_ns);
  printf("(checks: %u objects left, %lu)\n", constructed, static_cast<unsigned long>(found % 997));
  return constructed == 0 ? 0 : 1;
}
