// Raising exceptions, the entry points compiled code raises through, and the end of an unhandled one.
#include "objects/exceptions.h"

#include "objects/class_object.h"
#include "objects/objects.h"
#include "platform/platform.h"
#include "quillet/exceptions.h"
#include "values/fatal.h"
#include "values/fatal_stop.h"
#include "values/frame_walk.h"
#include "values/string.h"

namespace ql {

namespace {

// Used when the image's settings record has no message for unhandled exceptions: an empty message box would
// tell the user nothing.
constexpr const char* kDefaultUnhandledMessage =
    "An exception of class %1 was not handled.\rThe application must shut down.";
std::string& unhandled_message() {
  static std::string text;
  return text;
}

// A catch clause's class index comes from compiled code; one outside the class array matches nothing.
bool exception_isa(QlObject* exception, int32_t class_index) {
  return object_isa(exception, class_at_index(class_index));
}

void report_walk(const char* source, int line) { report_assertion(kConsistencyCheck, source, line); }

const FrameWalkHooks kWalkHooks = {exception_isa, string_release, release_object, report_walk,
                                   platform::is_readable};

// The exception holds the reference the raise took, which a catch hands to the method's exception slot.
// The walk starts at this routine's own frame and passes over the runtime's frames up to compiled code.
[[noreturn]] void raise_locked(QlObject* exception) {
  HandlerTarget target;
  if (find_handler(exception, reinterpret_cast<uintptr_t>(__builtin_frame_address(0)), kWalkHooks, target,
                   live_entry_boundaries())) {
    jump_to_handler(target);
  }
  end_unhandled_exception(exception);
}

}  // namespace

void set_unhandled_exception_message(std::string text) { unhandled_message() = std::move(text); }

std::string unhandled_exception_text(const std::string& class_name) {
  std::string text = unhandled_message();
  if (text.empty()) text = kDefaultUnhandledMessage;
  static constexpr std::string_view kPlaceholder = "%1";
  for (size_t at = text.find(kPlaceholder); at != std::string::npos;
       at = text.find(kPlaceholder, at + class_name.size())) {
    text.replace(at, kPlaceholder.size(), class_name);
  }
  return text;
}

std::optional<std::string> unhandled_exception_text(const ClassObject* cls) {
  const ClassObject* end = builtin_class("EndException");
  if (end && class_isa(cls, end)) return std::nullopt;
  return unhandled_exception_text(nearest_class_name(cls));
}

void end_unhandled_exception(QlObject* exception) {
  std::optional<std::string> text = unhandled_exception_text(class_of(exception));
  stop_program(text ? *text : std::string());
}

void raise_exception(QlObject* exception) {
  if (!exception) raise_new_exception("NilObjectException");
  raise_locked(exception);
}

void raise_new_exception(const char* class_name) {
  ClassObject* cls = builtin_class(class_name);
  // Before the built-in classes exist there is no object to raise; the user still learns what happened.
  if (!cls) stop_program(unhandled_exception_text(std::string(class_name)));
  raise_locked(new_object(cls));
}

}  // namespace ql

QL_API void RuntimeRaiseException(QlObject* exception) {
  if (!exception) ql::raise_new_exception("NilObjectException");
  ql::retain_object(exception);
  ql::raise_locked(exception);
}

QL_API void RuntimeReraiseException(void) {
  ql::report_assertion(ql::kConsistencyCheck, "RuntimeMain", 1616);
}

QL_API void RuntimeStackCheck(void) {}
