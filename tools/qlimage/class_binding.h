// Binds the project's class list to the linked objects: class names become class indexes, code symbols
// become places in code, instance sizes are settled, and the hierarchy is checked for what would break at
// start-up (unknown or looping superclasses, interfaces with code or without implementations, sizes too
// small for the header or the superclass).
#pragma once

#include <vector>

#include "qlimage/coff.h"
#include "qlimage/diagnostics.h"
#include "qlimage/link_model.h"
#include "qlimage/project.h"

namespace qlimage {

// Fills resolution.classes; false after reporting every problem found.
bool bind_classes(const std::vector<coff::ObjectFile>& objects, Resolution& resolution,
                  const Project& project, Diagnostics& diagnostics);

// Bytes of the object header and of an instance of the root class Object on the target: the smallest
// instance any class may have, and the size written for an interface that gives none.
uint32_t object_header_size(uint16_t machine);
uint32_t root_object_size(uint16_t machine);

// Larger instance sizes are refused; the runtime refuses them too.
constexpr uint32_t kMaxInstanceSize = 0x1000000;

}  // namespace qlimage
