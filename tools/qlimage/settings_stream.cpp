// Writing and decoding the settings stream of the settings item.
#include "qlimage/settings_stream.h"

#include "image/stream_reader.h"

namespace qlimage {
namespace {

std::string join_extensions(const std::vector<std::string>& extensions) {
  std::string out;
  for (const std::string& extension : extensions) out += (out.empty() ? "" : ";") + extension;
  return out;
}

std::vector<std::string> split_extensions(std::string_view list) {
  std::vector<std::string> out;
  while (!list.empty()) {
    size_t end = list.find(';');
    out.emplace_back(list.substr(0, end));
    if (end == std::string_view::npos) break;
    list.remove_prefix(end + 1);
  }
  return out;
}

}  // namespace

Bytes encode_settings_stream(const Settings& settings) {
  Bytes out;
  out.push_back(settings.font_flag);
  ql::image::write_u32_be(out, 0);  // reserved
  ql::image::write_u32_be(out, settings.script_code);
  ql::image::write_varint(out, static_cast<int32_t>(settings.file_types.size()));
  for (const FileType& type : settings.file_types) {
    ql::image::write_text(out, type.name);
    ql::image::write_text(out, type.first_code);
    ql::image::write_text(out, type.second_code);
    ql::image::write_text(out, join_extensions(type.extensions));
  }
  ql::image::write_varint(out, static_cast<int32_t>(settings.messages.size()));
  for (const std::string& message : settings.messages) ql::image::write_text(out, message);
  out.push_back(settings.mdi ? 1 : 0);
  ql::image::write_text(out, settings.mdi_title);
  return out;
}

std::optional<Settings> decode_settings_stream(std::span<const uint8_t> stream, std::string& problem) {
  ql::image::StreamReader reader(stream.data(), static_cast<uint32_t>(stream.size()));
  Settings settings;
  settings.font_flag = reader.byte();
  reader.u32_be();  // reserved
  settings.script_code = reader.u32_be();
  int32_t types = reader.varint();
  // Each entry takes at least four bytes, which bounds a corrupt count before anything is allocated.
  if (types < 0 || static_cast<uint32_t>(types) > reader.remaining() / 4) {
    problem = "file type count " + std::to_string(types) + " does not fit in the stream";
    return std::nullopt;
  }
  for (int32_t i = 0; i < types && reader.ok(); ++i) {
    FileType type;
    type.name = reader.text();
    type.first_code = reader.text();
    type.second_code = reader.text();
    type.extensions = split_extensions(reader.text());
    settings.file_types.push_back(std::move(type));
  }
  int32_t messages = reader.varint();
  if (messages < 0 || static_cast<uint32_t>(messages) > reader.remaining()) {
    problem = "message count " + std::to_string(messages) + " does not fit in the stream";
    return std::nullopt;
  }
  for (int32_t i = 0; i < messages && reader.ok(); ++i) settings.messages.emplace_back(reader.text());
  settings.mdi = reader.byte() != 0;
  settings.mdi_title = reader.text();
  if (!reader.ok()) {
    problem = "the stream ends inside a field";
    return std::nullopt;
  }
  if (reader.remaining() != 0) {
    problem = std::to_string(reader.remaining()) + " bytes follow the MDI title";
    return std::nullopt;
  }
  return settings;
}

}  // namespace qlimage
