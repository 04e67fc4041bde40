// Decoding and encoding window descriptions.
#include "image/window_description.h"

#include "image/stream_reader.h"

namespace ql::image {

namespace {

// Every element takes at least one byte, which bounds any honest count by what remains.
bool read_count(StreamReader& in, const char* what, int32_t& count, std::string& problem) {
  count = in.varint();
  if (!in.ok() || count < 0 || static_cast<uint32_t>(count) > in.remaining()) {
    problem = std::string("its ") + what + " count (" + std::to_string(count) + ") does not fit the stream";
    return false;
  }
  return true;
}

bool read_pairs(StreamReader& in, int32_t count, std::vector<PropertyPair>& out) {
  for (int32_t i = 0; i < count && in.ok(); ++i) {
    PropertyPair pair;
    pair.name = in.text();
    pair.value = in.text();
    out.push_back(pair);
  }
  return in.ok();
}

void write_pairs(std::vector<uint8_t>& out, const std::vector<PropertyPair>& pairs) {
  for (const PropertyPair& pair : pairs) {
    write_text(out, pair.name);
    write_text(out, pair.value);
  }
}

}  // namespace

bool decode_window_description(const uint8_t* stream, uint32_t length, WindowDescription& out,
                               std::string& problem) {
  out = WindowDescription{};
  StreamReader in(stream, length);
  int32_t count;
  if (!read_count(in, "window property", count, problem)) return false;
  out.class_index = in.varint();
  if (!read_pairs(in, count, out.properties)) {
    problem = "its window properties are cut short";
    return false;
  }
  if (!read_count(in, "control", count, problem)) return false;
  for (int32_t c = 0; c < count; ++c) {
    ControlRecord control;
    control.class_index = in.varint();
    int32_t pairs;
    if (!read_count(in, "property", pairs, problem) || !read_pairs(in, pairs, control.properties)) {
      problem = "control record " + std::to_string(c) + " is cut short";
      return false;
    }
    out.controls.push_back(std::move(control));
  }
  if (!read_count(in, "binding", count, problem)) return false;
  for (int32_t b = 0; b < count; ++b) {
    BindingRecord binding;
    binding.first_control = in.varint();
    in.text();  // read and not used
    binding.second_control = in.varint();
    in.text();
    binding.binder_class = in.varint();
    binding.first_part = in.text();
    binding.second_part = in.text();
    if (!in.ok()) {
      problem = "binding record " + std::to_string(b) + " is cut short";
      return false;
    }
    out.bindings.push_back(binding);
  }
  return true;
}

std::vector<uint8_t> encode_window_description(const WindowDescription& description) {
  std::vector<uint8_t> out;
  write_varint(out, static_cast<int32_t>(description.properties.size()));
  write_varint(out, description.class_index);
  write_pairs(out, description.properties);
  write_varint(out, static_cast<int32_t>(description.controls.size()));
  for (const ControlRecord& control : description.controls) {
    write_varint(out, control.class_index);
    write_varint(out, static_cast<int32_t>(control.properties.size()));
    write_pairs(out, control.properties);
  }
  write_varint(out, static_cast<int32_t>(description.bindings.size()));
  for (const BindingRecord& binding : description.bindings) {
    write_varint(out, binding.first_control);
    write_text(out, "");
    write_varint(out, binding.second_control);
    write_text(out, "");
    write_varint(out, binding.binder_class);
    write_text(out, binding.first_part);
    write_text(out, binding.second_part);
  }
  return out;
}

}  // namespace ql::image
