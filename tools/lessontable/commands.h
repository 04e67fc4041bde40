// The command line of lessontable: check, build, import and export.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace lessontable {

// Runs one command; returns the process exit code (0 success, 1 failure).
int run_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace lessontable
