// Memory, events and immediate drawing for the controls.
#include "control_support.h"

#include "host.h"

namespace quilapp {

void* allocate(size_t bytes) { return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes); }

void release_memory(void* block) {
  if (block) HeapFree(GetProcessHeap(), 0, block);
}

void raise(QlObject* instance, const QlPluginEventRecord& event) {
  if (void* handler = host::event_handler(instance, event.descriptor))
    reinterpret_cast<void (*)(QlObject*)>(handler)(instance);
}

bool raise_mouse_down(QlObject* instance, const QlPluginEventRecord& event, int32_t x, int32_t y) {
  void* handler = host::event_handler(instance, event.descriptor);
  return handler && reinterpret_cast<bool (*)(QlObject*, int32_t, int32_t)>(handler)(instance, x, y);
}

void raise_mouse(QlObject* instance, const QlPluginEventRecord& event, int32_t x, int32_t y) {
  if (void* handler = host::event_handler(instance, event.descriptor))
    reinterpret_cast<void (*)(QlObject*, int32_t, int32_t)>(handler)(instance, x, y);
}

void draw_now(QlObject* instance, void (*draw)(QlObject*, QlObject*)) {
  QlObject* graphics = host::control_graphics(instance);
  if (!graphics) {
    host::invalidate(instance);
    return;
  }
  draw(instance, graphics);
  host::unlock_object(graphics);
}

bool contains(const QlPluginRect& b, int32_t x, int32_t y) {
  return x >= b.left && x < b.right && y >= b.top && y < b.bottom;
}

uint32_t ticks() { return host::ticks(); }

}  // namespace quilapp
