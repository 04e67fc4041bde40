// The settings stream of the settings item: written by `link`, decoded by `dump` and the tests.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "qlimage/bytes.h"
#include "qlimage/project.h"

namespace qlimage {

Bytes encode_settings_stream(const Settings& settings);

// nullopt when the stream is malformed or has bytes left over; `problem` then says what is wrong.
std::optional<Settings> decode_settings_stream(std::span<const uint8_t> stream, std::string& problem);

}  // namespace qlimage
