// Ending the program from wherever it is, as an unhandled exception or a fault in the use of objects does.
#pragma once

#include <string>

namespace ql {

// Shows text (nothing when it is empty), destroys every object on the exit list, newest first, and ends the
// process with exit code 0.
[[noreturn]] void stop_program(const std::string& text);

// The message box of the fatal paths: the window layer's once it has handed it over, before that the
// platform's plain one.
void show_stop_message(const std::string& text);
void set_stop_message_box(void (*show)(const char* text));

}  // namespace ql
