// The Timer class and running timers.
#include "app/timers.h"

#include <algorithm>
#include <vector>

#include "objects/class_registry.h"
#include "objects/objects.h"
#include "objects/value_types.h"
#include "platform/platform.h"
#include "quillet/layouts.h"
#include "quillet/menus.h"

namespace ql {

namespace {

constexpr int32_t kModeOff = 0;
constexpr int32_t kModeSingle = 1;

struct TimerFields {
  ObjectBase base;
  int32_t mode;    // 0 off, 1 single, 2 multiple
  int32_t period;  // milliseconds
  uint32_t last_fired;
};
struct TimerObject : TimerFields {
  uint8_t reserved[sizeof(QlTimerBase) - sizeof(TimerFields)];
};
static_assert(sizeof(TimerObject) == sizeof(QlTimerBase), "Timer matches the SDK's layout");

TimerFields* as_timer(QlObject* timer) { return reinterpret_cast<TimerFields*>(timer); }

// Timers that are on, without references: a timer leaves the list when it is turned off or destroyed.
std::vector<QlObject*>& running() {
  static std::vector<QlObject*> list;
  return list;
}

const EventDefinition kAction = {"Action", "", ""};

void construct_timer(QlObject* timer, ClassObject*) {
  as_timer(timer)->mode = 2;
  as_timer(timer)->period = 1000;
  as_timer(timer)->last_fired = platform::tick_count();
  running().push_back(timer);
}

void destroy_timer(QlObject* timer, ClassObject*) { std::erase(running(), timer); }

void update_running(QlObject* timer) {
  std::erase(running(), timer);
  if (as_timer(timer)->mode != kModeOff) running().push_back(timer);
}

template <typename Routine>
uintptr_t code(Routine routine) {
  return reinterpret_cast<uintptr_t>(routine);
}

}  // namespace

void define_timer_class() {
  ClassObject* cls = define_builtin_class("Timer", nullptr, sizeof(TimerObject));
  cls->constructor = construct_timer;
  cls->destructor = destroy_timer;
  cls->events = {&kAction};
  cls->properties.clear();
  cls->properties.push_back({"Mode", &kIntegerType, code(timerModeGetter), code(timerModeSetter), 0, 0});
  cls->properties.push_back(
      {"Period", &kIntegerType, code(timerPeriodGetter), code(timerPeriodSetter), 0, 0});
  cls->methods.clear();
  cls->methods.push_back({"Reset", code(timerReset), 0});
}

bool timers_running() { return !running().empty(); }

void run_timers() {
  uint32_t now = platform::tick_count();
  std::vector<QlObject*> due;
  for (QlObject* timer : running()) {
    TimerFields* t = as_timer(timer);
    if (t->mode != kModeOff && now - t->last_fired >= static_cast<uint32_t>(std::max(t->period, 0)))
      due.push_back(timer);
  }
  for (QlObject* timer : due) {
    if (std::find(running().begin(), running().end(), timer) == running().end()) continue;
    retain_object(timer);
    TimerFields* t = as_timer(timer);
    t->last_fired = now;
    if (t->mode == kModeSingle) {
      t->mode = kModeOff;
      update_running(timer);
    }
    fire_event(timer, kAction);
    release_object(timer);
  }
}

int32_t milliseconds_to_next_timer() {
  if (running().empty()) return -1;
  uint32_t now = platform::tick_count();
  int32_t soonest = INT32_MAX;
  for (QlObject* timer : running()) {
    TimerFields* t = as_timer(timer);
    int32_t left = std::max(t->period, 0) - static_cast<int32_t>(now - t->last_fired);
    soonest = std::min(soonest, std::max(left, 0));
  }
  return soonest;
}

}  // namespace ql

QL_API void timerModeSetter(QlObject* timer, intptr_t, int32_t mode) {
  if (!timer) return;
  ql::as_timer(timer)->mode = mode;
  ql::as_timer(timer)->last_fired = ql::platform::tick_count();
  ql::update_running(timer);
}
QL_API int32_t timerModeGetter(QlObject* timer, intptr_t) { return timer ? ql::as_timer(timer)->mode : 0; }
QL_API void timerPeriodSetter(QlObject* timer, intptr_t, int32_t period) {
  if (timer) ql::as_timer(timer)->period = period;
}
QL_API int32_t timerPeriodGetter(QlObject* timer, intptr_t) {
  return timer ? ql::as_timer(timer)->period : 0;
}
QL_API void timerReset(QlObject* timer) {
  if (timer) ql::as_timer(timer)->last_fired = ql::platform::tick_count();
}
