// Faults in the use of objects that would otherwise corrupt memory: each stops the program with a message
// naming the fault. The texts are built apart from the stop so that they can be checked.
#pragma once

#include <stdint.h>

#include <string>

#include "objects/class_object.h"

namespace ql {

// The full message shown for a fault described by detail.
std::string fault_message(const std::string& detail);

std::string over_release_fault_text(const ClassObject* cls);
std::string method_slot_fault_text(const char* routine, int32_t slot, const ClassObject* cls);
std::string field_fault_text(const char* routine, int32_t offset, int32_t width, const ClassObject* cls);

// Shows the text, runs the exit list and ends the process with exit code 0.
[[noreturn]] void stop_for_fault(const std::string& text);

}  // namespace ql
