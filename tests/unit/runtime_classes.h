// Defines the built-in classes of the platform-neutral layers the way RuntimeInit does, for tests of code
// that uses them.
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
  define_application_class();
}

}  // namespace ql::testing
