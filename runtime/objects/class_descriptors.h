// Turning the image's class descriptors into the class array.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "objects/class_array.h"
#include "start/project_table.h"

namespace ql {

// Where the image's compiled code lies. Descriptors hold code addresses as the image's 32-bit words; each
// must point into code1.
struct CodeRange {
  uint32_t address = 0;  // code1's load address as the image's words hold it
  uint32_t length = 0;
  uintptr_t base = 0;  // where code1's bytes are in this process
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

// Instance sizes above this are refused as malformed.
constexpr int32_t kMaxInstanceSize = 0x1000000;

}  // namespace ql
