// Fuzz target: qlimage's COFF reader. An object is either read without errors or refused with errors
// that name it.
#include <stddef.h>
#include <stdint.h>

#include <span>
#include <string>
#include <vector>

#include "qlimage/coff_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);
  qlimage::Diagnostics diagnostics;
  auto object = qlimage::coff::read_object("fuzz.o", std::span<const uint8_t>(bytes), diagnostics);
  if (object.has_value() == diagnostics.failed()) __builtin_trap();
  for (const std::string& error : diagnostics.errors) {
    if (error.find("fuzz.o") == std::string::npos) __builtin_trap();
  }
  return 0;
}
