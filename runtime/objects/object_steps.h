// The steps of runtime initialisation that belong to objects and classes, in the order RuntimeInit calls
// them (the plug-ins are installed between the first two).
#pragma once

#include <stdint.h>

#include <string>

namespace ql {

// Registers every built-in class by name, with its superclass and instance size.
void define_builtin_classes();

// The address a deferred import names (kind letter, then [class "!"] member), or 0.
uintptr_t lookup_deferred_member(const std::string& name);

// Builds the class array and the interface tables from the image's class descriptors and finds the
// application class. A malformed descriptor refuses the image.
void build_class_array();

// Creates the application object: an instance of the application class, else a plain Application.
void create_application_object();

// Fires the Application event of that name on the application object.
void fire_application_event(const char* name);

}  // namespace ql
