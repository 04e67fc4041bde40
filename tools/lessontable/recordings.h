// The words that have recordings in the image; the listening exercises can play only these.
#pragma once

#include <string_view>

namespace lessontable {

bool has_recording(std::string_view word);

}  // namespace lessontable
