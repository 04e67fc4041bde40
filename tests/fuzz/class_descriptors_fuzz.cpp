// Fuzz target: class descriptors turned into the class array and its interface tables. The input is a
// relocated data1 at the address the object tests use; its second word names the project table, whose class
// pointers lead to the descriptors, whose code words point into the tests' code window.
#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "image/project_table.h"
#include "objects/class_array.h"
#include "objects/class_descriptors.h"
#include "objects/interface_tables.h"
#include "unit/objects/descriptor_builder.h"
#include "unit/runtime_classes.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  ql::testing::define_runtime_classes();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0x100000) return -1;
  // A copy of exactly the input's size, so that ASan catches a read one byte past the end.
  std::vector<uint8_t> data1(data, data + size);
  ql::image::Data1View view{data1.data(), static_cast<uint32_t>(size), ql::testing::Data1Builder::kBase};
  ql::image::ProjectTable table;
  std::string problem;
  if (!ql::image::read_project_table(view, table, problem)) return 0;
  ql::ClassBuild build;
  if (!ql::build_classes(view, table.class_words, table.class_count, ql::testing::kCode1, build, problem)) {
    if (problem.empty()) __builtin_trap();
    return 0;
  }
  for (ql::ClassObject* cls : build.array.classes) {
    // A class chain must end: a loop would hang every lookup that walks it.
    int steps = 0;
    for (const ql::ClassObject* c = cls; c; c = c->superclass) {
      if (++steps > static_cast<int>(build.array.classes.size()) + 1000) __builtin_trap();
    }
  }
  ql::install_class_array(std::move(build.array));
  ql::build_interface_tables(problem);
  return 0;
}
