// Decoding the settings stream.
#include "image/settings_record.h"

#include "image/image_format.h"
#include "image/stream_reader.h"

namespace ql::image {

bool parse_settings(const uint8_t* stream, uint32_t length, Settings& out) {
  StreamReader in(stream, length);
  out.font_flag = in.byte();
  out.reserved = in.u32_be();
  out.script_code = in.u32_be();
  out.font_charset = charset_for_script(out.script_code);
  int32_t type_count = in.varint();
  for (int32_t i = 0; i < type_count && in.ok(); ++i) {
    FileType type;
    type.name = in.text();
    type.first_code = in.text();
    type.second_code = in.text();
    type.extensions = in.text();
    if (in.ok()) out.file_types.push_back(std::move(type));
  }
  int32_t message_count = in.varint();
  for (int32_t i = 0; i < message_count && in.ok(); ++i) {
    std::string message(in.text());
    if (in.ok()) out.messages.push_back(std::move(message));
  }
  out.mdi = in.byte() != 0;
  out.mdi_title = in.text();
  return in.ok();
}

std::vector<uint8_t> encode_settings(const Settings& settings) {
  std::vector<uint8_t> out;
  out.push_back(settings.font_flag);
  write_u32_be(out, settings.reserved);
  write_u32_be(out, settings.script_code);
  write_varint(out, static_cast<int32_t>(settings.file_types.size()));
  for (const FileType& type : settings.file_types) {
    for (const std::string* text : {&type.name, &type.first_code, &type.second_code, &type.extensions}) {
      write_text(out, *text);
    }
  }
  write_varint(out, static_cast<int32_t>(settings.messages.size()));
  for (const std::string& message : settings.messages) write_text(out, message);
  out.push_back(settings.mdi ? 1 : 0);
  write_text(out, settings.mdi_title);
  return out;
}

const std::string& settings_message(const Settings& settings, int index) {
  static const std::string kEmpty;
  const std::vector<std::string>& messages = settings.messages;
  return index >= 0 && static_cast<size_t>(index) < messages.size() ? messages[index] : kEmpty;
}

}  // namespace ql::image
