// DragItem objects: what a drop carries, text or a file.
#pragma once

#include <string>

#include "quillet/types.h"

namespace ql {

void define_drag_item_class();
// A new DragItem (one reference for the caller) holding text, or a folder item for path when text is empty.
QlObject* new_drag_item(const std::string& text, const std::string& path);

}  // namespace ql
