// What every control of quilapp1 uses: its data inside the instance, memory, raising its events through
// the host, and drawing it at once.
#pragma once

#include <windows.h>

#include <stddef.h>

#include "quillet/plugin_records.h"

namespace quilapp {

// The plug-in data of an instance, at the offset the host wrote into the control's record.
template <typename Data>
Data* data_of(QlObject* instance, const QlPluginControlRecord& record) {
  return reinterpret_cast<Data*>(reinterpret_cast<char*>(instance) + record.data_offset);
}

// Zeroed memory from the process heap; null when there is none.
void* allocate(size_t bytes);
void release_memory(void* block);

// Raises an event: its handler in the instance's class chain runs with the instance (and the
// coordinates); nothing happens, and a mouse-down counts as false, without one.
void raise(QlObject* instance, const QlPluginEventRecord& event);
bool raise_mouse_down(QlObject* instance, const QlPluginEventRecord& event, int32_t x, int32_t y);
void raise_mouse(QlObject* instance, const QlPluginEventRecord& event, int32_t x, int32_t y);

// Draws the control now with a Graphics for its pane, or invalidates it when it gets none.
void draw_now(QlObject* instance, void (*draw)(QlObject* instance, QlObject* graphics));

bool contains(const QlPluginRect& bounds, int32_t x, int32_t y);

// The periodic-task clock: ticks of 16 ms.
uint32_t ticks();

// Forwards the mouse to the handlers of a control whose first three events are "MouseDown", "MouseDrag"
// and "MouseUp".
struct MouseForwarding {
  const QlPluginEventRecord* events;
  bool down(QlObject* instance, int32_t x, int32_t y) const {
    return raise_mouse_down(instance, events[0], x, y);
  }
  void drag(QlObject* instance, int32_t x, int32_t y) const { raise_mouse(instance, events[1], x, y); }
  void up(QlObject* instance, int32_t x, int32_t y) const { raise_mouse(instance, events[2], x, y); }
};

}  // namespace quilapp
