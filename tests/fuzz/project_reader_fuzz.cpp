// Fuzz target: qlimage's reader of project descriptions. A description is either read without errors or
// refused with errors that name its file.
#include <stddef.h>
#include <stdint.h>

#include <string>
#include <string_view>

#include "qlimage/project_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  qlimage::Diagnostics diagnostics;
  auto project = qlimage::read_project("fuzz.toml", text, diagnostics);
  if (project.has_value() == diagnostics.failed()) __builtin_trap();
  for (const std::string& error : diagnostics.errors) {
    if (error.find("fuzz.toml") == std::string::npos) __builtin_trap();
  }
  return 0;
}
