// How driver checks fail: a non-fatal GoogleTest failure reported at the test's own line (the caller's
// source_location), with a screenshot of the whole screen saved in the output folder and named after the
// test.
#pragma once

#include <source_location>
#include <string>

namespace ql::driver {

using Where = std::source_location;

// Saves "<Suite>.<Test>-<n>.png" and adds a failure: the message and "screenshot: <path>".
void fail(const std::string& message, Where where = Where::current());

// The file of the screenshot saved by the latest failure (a path this program can open), "" before any.
std::string last_failure_screenshot();

}  // namespace ql::driver
