// The image loader called by the main routine.
#pragma once

#include <string>

namespace ql {

// Locates the image (PICKLE resource, or the development files), installs it and calls its entry routine.
// Returns true when the entry routine was called and has returned, false after a failure, which the user has
// been shown in a message box.
bool run_application_image();

// Shows that the image is damaged, naming the problem, and ends the process with exit code 0.
[[noreturn]] void refuse_damaged_image(const std::string& problem);

}  // namespace ql
