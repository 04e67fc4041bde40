// The steps of runtime initialisation that belong to objects and classes.
#pragma once

#include <stdint.h>

#include <string>

namespace ql {

// Registers every built-in class by name, with its superclass and instance size. Layers that own classes
// define their members afterwards (RuntimeInit calls each in turn).
void define_object_classes();

// The address a deferred import names (kind letter, then [class "!"] member), or 0.
uintptr_t lookup_deferred_member(const std::string& name);

}  // namespace ql
