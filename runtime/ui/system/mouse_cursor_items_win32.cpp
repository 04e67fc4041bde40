// MouseCursor objects: the platform cursor each stands for, kept in the first of its root words (the class
// has no fields of its own). The image's mouse-cursor items yield nil: the cursor resource's byte format is
// not specified anywhere the runtime could read it from, and nothing in Loquat uses one.
#include <windows.h>

#include "objects/objects.h"
#include "ui/ui_steps.h"

namespace ql {

QlObject* make_mouse_cursor_item(int32_t) { return nullptr; }

QlObject* new_mouse_cursor(void* platform_cursor) {
  QlObject* cursor = new_object(builtin_class("MouseCursor"));
  if (cursor)
    reinterpret_cast<ObjectBase*>(cursor)->subclass_words[0] = reinterpret_cast<uintptr_t>(platform_cursor);
  return cursor;
}

void* mouse_cursor_handle(QlObject* cursor) {
  static const ClassObject* mouse_cursor = builtin_class("MouseCursor");
  if (!object_isa(cursor, mouse_cursor)) return nullptr;
  return reinterpret_cast<void*>(reinterpret_cast<ObjectBase*>(cursor)->subclass_words[0]);
}

}  // namespace ql
