// Raising language exceptions from runtime code, and what becomes of one nobody handles.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "quillet/types.h"

namespace ql {

struct ClassObject;

// Raises exception (a reference the caller owns is handed over). Never returns: control goes to a handler in
// compiled code, or the process ends as an unhandled exception. Call it only at an entry point's boundary,
// with no runtime state half-changed and no C++ object still owning a resource on the stack.
[[noreturn]] void raise_exception(QlObject* exception);

// Creates an instance of the built-in exception class of that name and raises it.
[[noreturn]] void raise_new_exception(const char* class_name);

// The message for an unhandled exception of class cls, or none for an EndException, which ends the
// application silently. Every "%1" of the image's message becomes the class name.
std::optional<std::string> unhandled_exception_text(const ClassObject* cls);
std::string unhandled_exception_text(const std::string& class_name);

// The image's message for an unhandled exception ("%1" stands for the class name); empty: the built-in one.
void set_unhandled_exception_message(std::string text);

// Shows the message for an exception nobody handled, runs the exit list and ends the process.
[[noreturn]] void end_unhandled_exception(QlObject* exception);

}  // namespace ql
