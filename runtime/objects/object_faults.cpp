// The messages of the faults in the use of objects, and stopping the program with them.
#include "objects/object_faults.h"

#include "values/fatal_stop.h"

namespace ql {

namespace {
std::string described(const ClassObject* cls) {
  std::string name = nearest_class_name(cls);
  return name.empty() ? "an unnamed class" : "class " + name;
}
}  // namespace

std::string fault_message(const std::string& detail) {
  return "The application made an internal error: " + detail + "\rThe application must shut down.";
}

std::string over_release_fault_text(const ClassObject* cls) {
  return fault_message("an object of " + described(cls) + " was released after its last reference was gone.");
}

std::string method_slot_fault_text(const char* routine, int32_t slot, const ClassObject* cls) {
  return fault_message(std::string(routine) + " asked for method slot " + std::to_string(slot) + ", which " +
                       described(cls) + " does not have.");
}

std::string field_fault_text(const char* routine, int32_t offset, int32_t width, const ClassObject* cls) {
  return fault_message(std::string(routine) + " was given a " + std::to_string(width) +
                       "-byte field at offset " + std::to_string(offset) +
                       ", which lies outside the instances of " + described(cls) + ".");
}

void stop_for_fault(const std::string& text) { stop_program(text); }

}  // namespace ql
