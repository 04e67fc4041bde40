// The qlimage command line: `link`, `attach` and `dump`, each with --help.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace qlimage {

// Runs the command named by args[0]; returns the process exit code (0 success, 1 error).
int run_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace qlimage
