// Errors collected while a command runs, so that one run reports every problem it can find (all undefined
// symbols at once, not the first of them).
#pragma once

#include <string>
#include <vector>

namespace qlimage {

struct Diagnostics {
  std::vector<std::string> errors;

  void error(std::string message) { errors.push_back(std::move(message)); }
  bool failed() const { return !errors.empty(); }
};

}  // namespace qlimage
