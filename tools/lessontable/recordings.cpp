// The word table of the listening lessons (15 minimal pairs of 'L' and 'R').
#include "lessontable/recordings.h"

#include "lessontable/engine_text.h"

namespace lessontable {

const std::vector<std::string_view>& recorded_words() {
  static const std::vector<std::string_view> words = {
      "Lice", "Rice", "Alive", "Arrive", "Belly", "Berry",  "Collect", "Correct", "Flea",  "Fly",
      "Free", "Fry",  "Glass", "Grass",  "Lace",  "Lane",   "Laser",   "Lentil",  "Light", "Lip",
      "Load", "Long", "Race",  "Rain",   "Razor", "Rental", "Rip",     "Road",    "Write", "Wrong"};
  return words;
}

bool has_recording(std::string_view word) {
  for (std::string_view known : recorded_words()) {
    if (equal_ignoring_case(known, word)) return true;
  }
  return false;
}

}  // namespace lessontable
