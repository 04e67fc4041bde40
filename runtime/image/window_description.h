// Window descriptions: the window's property pairs and class, its control records and bindings, decoded from
// the stream that follows the description's 4-byte length. Texts point into the stream.
#pragma once

#include <stdint.h>

#include <string>
#include <string_view>
#include <vector>

namespace ql::image {

struct PropertyPair {
  std::string_view name;
  std::string_view value;
};

struct ControlRecord {
  int32_t class_index = 0;
  std::vector<PropertyPair> properties;  // in stream order
};

struct BindingRecord {
  int32_t first_control = 0;
  int32_t second_control = 0;
  int32_t binder_class = 0;
  std::string_view first_part;
  std::string_view second_part;
};

struct WindowDescription {
  int32_t class_index = 0;
  std::vector<PropertyPair> properties;
  std::vector<ControlRecord> controls;
  std::vector<BindingRecord> bindings;
};

// False when the stream is cut short or a count is negative or larger than the rest of the stream can
// hold; problem then says where.
bool decode_window_description(const uint8_t* stream, uint32_t length, WindowDescription& out,
                               std::string& problem);

// The encoder qlimage writes descriptions with (the stream only, without the length word).
std::vector<uint8_t> encode_window_description(const WindowDescription& description);

}  // namespace ql::image
