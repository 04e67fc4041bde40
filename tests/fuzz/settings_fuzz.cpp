// Fuzz target: the settings stream. Whatever it holds, parsing ends, and every message index answers.
#include <stddef.h>
#include <stdint.h>

#include <vector>

#include "image/settings_record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> stream(data, data + size);
  ql::image::Settings settings;
  bool complete = ql::image::parse_settings(stream.data(), static_cast<uint32_t>(size), settings);
  // Each file type and message takes at least one byte of the stream.
  if (settings.file_types.size() + settings.messages.size() > size) __builtin_trap();
  if (complete && size < 13) __builtin_trap();  // flag, two words, two counts, the MDI flag and title
  for (int index = -1; index <= static_cast<int>(settings.messages.size()); ++index) {
    const std::string& message = ql::image::settings_message(settings, index);
    if (index >= 0 && static_cast<size_t>(index) < settings.messages.size()
            ? &message != &settings.messages[index]
            : !message.empty())
      __builtin_trap();
  }
  return 0;
}
