// The periodic tasks, on a clock of GetTickCount / 16.
#include "app/periodic_tasks.h"

#include <vector>

#include "platform/platform.h"

namespace ql {

namespace {

struct Task {
  int32_t id;
  PeriodicRoutine routine;
  void* context;
  uint32_t period;
  uint32_t last_run;
};

struct Tasks {
  std::vector<Task> list;
  int32_t next_id = 1;
};

Tasks& tasks() {
  static Tasks t;
  return t;
}

uint32_t now_units() { return platform::tick_count() / 16; }

}  // namespace

int32_t add_periodic_task(PeriodicRoutine routine, void* context, uint32_t period_units) {
  Tasks& t = tasks();
  t.list.push_back({t.next_id, routine, context, period_units, now_units()});
  return t.next_id++;
}

void remove_periodic_task(int32_t id) {
  std::erase_if(tasks().list, [id](const Task& task) { return task.id == id; });
}

bool periodic_tasks_exist() { return !tasks().list.empty(); }

void run_periodic_tasks() {
  uint32_t now = now_units();
  // By id: a task may add or remove tasks while it runs.
  std::vector<int32_t> due;
  for (const Task& task : tasks().list) {
    if (now - task.last_run >= task.period) due.push_back(task.id);
  }
  for (int32_t id : due) {
    for (Task& task : tasks().list) {
      if (task.id != id) continue;
      task.last_run = now;
      PeriodicRoutine routine = task.routine;
      void* context = task.context;
      routine(context);
      break;
    }
  }
}

int32_t milliseconds_to_next_task() {
  if (tasks().list.empty()) return -1;
  uint32_t now = now_units();
  uint32_t soonest = UINT32_MAX;
  for (const Task& task : tasks().list) {
    uint32_t elapsed = now - task.last_run;
    uint32_t left = elapsed >= task.period ? 0 : task.period - elapsed;
    if (left < soonest) soonest = left;
  }
  return static_cast<int32_t>(soonest * 16);
}

}  // namespace ql
