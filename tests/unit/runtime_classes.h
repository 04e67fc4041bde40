// Defines every built-in class the way RuntimeInit does, layer by layer, for tests of code that uses them.
#pragma once

#include "app/app_steps.h"
#include "containers/variant.h"
#include "files/file_classes.h"
#include "objects/object_steps.h"

namespace ql::testing {

inline void define_runtime_classes() {
  define_object_classes();
  define_variant_class();
  define_file_classes();
  define_app_classes();
}

}  // namespace ql::testing
