// The project item array: one object (or none) per item of the image, indexed from 1.
#pragma once

#include <stdint.h>

#include <vector>

#include "quillet/types.h"

namespace ql {

// Takes over the array start-up made; its references stay with it for the whole run.
void set_project_objects(std::vector<QlObject*> items);

// The object of item index, without a reference added; null for 0, an index past the table or an empty slot.
QlObject* project_object(int32_t index);

}  // namespace ql
