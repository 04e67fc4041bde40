// The DragItem class.
#include "ui/window/drag_item.h"

#include "files/folder_item.h"
#include "objects/class_registry.h"
#include "objects/objects.h"
#include "objects/value_types.h"
#include "ui/ui_classes.h"
#include "values/string.h"

namespace ql {

namespace {

struct DragItemObject {
  ObjectBase base;
  QlString text;
  QlObject* folder_item;
};

DragItemObject* as_drag_item(QlObject* item) { return reinterpret_cast<DragItemObject*>(item); }

void destroy_drag_item(QlObject* item, ClassObject*) {
  string_release(as_drag_item(item)->text);
  release_object(as_drag_item(item)->folder_item);
}

QlString drag_text_getter(QlObject* item, intptr_t) {
  if (!item) return nullptr;
  string_retain(as_drag_item(item)->text);
  return as_drag_item(item)->text;
}

QlObject* drag_folder_item_getter(QlObject* item, intptr_t) {
  if (!item) return nullptr;
  retain_object(as_drag_item(item)->folder_item);
  return as_drag_item(item)->folder_item;
}

bool drag_text_available(QlObject* item, intptr_t) { return item && as_drag_item(item)->text; }
bool drag_folder_item_available(QlObject* item, intptr_t) { return item && as_drag_item(item)->folder_item; }

}  // namespace

void define_drag_item_class() {
  ClassObject* cls = define_builtin_class("DragItem", nullptr, sizeof(DragItemObject));
  cls->destructor = destroy_drag_item;
  cls->properties.clear();
  add_property(cls, "Text", &kStringType, code_of(drag_text_getter), 0);
  add_property(cls, "FolderItem", builtin_class("FolderItem"), code_of(drag_folder_item_getter), 0);
  add_property(cls, "TextAvailable", &kBooleanType, code_of(drag_text_available), 0);
  add_property(cls, "FolderItemAvailable", &kBooleanType, code_of(drag_folder_item_available), 0);
}

QlObject* new_drag_item(const std::string& text, const std::string& path) {
  QlObject* item = new_object(builtin_class("DragItem"));
  if (!text.empty()) {
    as_drag_item(item)->text = string_from_bytes(text.data(), static_cast<int32_t>(text.size()));
  } else {
    as_drag_item(item)->folder_item = new_folder_item(path);
  }
  return item;
}

}  // namespace ql
