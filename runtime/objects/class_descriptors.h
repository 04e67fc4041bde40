// Turning the image's class descriptors into the class array.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "image/class_descriptor.h"
#include "image/project_table.h"
#include "objects/class_array.h"

namespace ql {

// Where the image's compiled code lies: the window its words name, and where those bytes are in this process.
struct CodeRange {
  image::CodeWindow window;
  uintptr_t base = 0;
};

struct ClassBuild {
  ClassArray array;
  std::vector<std::string> diagnostics;  // lines for the debug log
};

// Builds one class object per descriptor: references are looked up by name (built-in classes, then
// plug-in ones; an unknown name leaves the slot null), compiled classes are made from their descriptors and
// linked to their superclasses, and the application class is found. A compiled class smaller than its
// superclass gets a diagnostic and is given the superclass's size, so that the superclass's fields fit.
// False when a descriptor is malformed; problem then names its class index.
bool build_classes(const image::Data1View& data1, const uint8_t* class_words, uint32_t class_count,
                   const CodeRange& code1, ClassBuild& out, std::string& problem);

}  // namespace ql
