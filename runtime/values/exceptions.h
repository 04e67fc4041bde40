// Raising language exceptions from runtime code, what becomes of one nobody handles, and the exit list of
// the fatal paths.
#pragma once

#include <optional>
#include <string>

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

// Shows the message for an exception nobody handled, runs the exit list and ends the process.
[[noreturn]] void end_unhandled_exception(QlObject* exception);

// Objects destroyed, newest first, when the process ends through a fatal path (the trace file, scratch
// files). An entry stays registered until it removes itself.
struct ExitListEntry {
  virtual void destroy_at_exit() = 0;
  ExitListEntry* next_on_exit_list = nullptr;

 protected:
  ~ExitListEntry() = default;
};
void exit_list_add(ExitListEntry* entry);
void exit_list_remove(ExitListEntry* entry);  // an entry not on the list is ignored
void run_exit_list();

}  // namespace ql
