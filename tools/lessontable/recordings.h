// The words that have recordings in the image; the listening exercises can play only these.
#pragma once

#include <string_view>
#include <vector>

namespace lessontable {

// In the order of their sound resources, which is the order of app/sounds/words.txt.
const std::vector<std::string_view>& recorded_words();

bool has_recording(std::string_view word);

}  // namespace lessontable
