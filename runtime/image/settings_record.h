// The settings record of the application image (project item kind 4): fonts, file types, messages, MDI.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

namespace ql::image {

struct FileType {
  std::string name;
  std::string first_code;  // Macintosh file codes; empty reads as "????"
  std::string second_code;
  std::string extensions;  // ".txt;.text", possibly empty
};

struct Settings {
  uint8_t font_flag = 0;
  uint32_t reserved = 0;
  uint32_t script_code = 0;
  uint8_t font_charset = 1;  // selected by the script code
  std::vector<FileType> file_types;
  std::vector<std::string> messages;  // indexed from 0
  bool mdi = false;
  std::string mdi_title;
};

// Decodes a settings stream; false when it is cut short (what was read before stays in out).
bool parse_settings(const uint8_t* stream, uint32_t length, Settings& out);

// The stream parse_settings reads; the reserved word is written as it is.
std::vector<uint8_t> encode_settings(const Settings& settings);

// Message string index, or the empty string beyond the list.
const std::string& settings_message(const Settings& settings, int index);

}  // namespace ql::image
