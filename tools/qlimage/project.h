// The project description as qlimage uses it, read from the project's TOML file. Texts are already in the
// image's single-byte character set.
#pragma once

#include <stdint.h>

#include <optional>
#include <string>
#include <vector>

namespace qlimage {

struct FileType {
  std::string name;
  std::string first_code;               // four characters or empty
  std::string second_code;              // four characters or empty ("????" stands for any type)
  std::vector<std::string> extensions;  // each with its leading '.'
};

struct Settings {
  uint8_t font_flag = 0;
  uint32_t script_code = 0;
  std::vector<FileType> file_types;
  std::vector<std::string> messages;
  bool mdi = false;
  std::string mdi_title;
};

struct StringConstant {
  std::string symbol;  // C name, without the i386 underscore
  std::string text;
};

struct ImportedSymbol {
  std::string symbol;  // C name, without the i386 underscore
  std::string name;    // the import record's name
};

struct Project {
  std::string path;   // for messages
  std::string entry;  // symbol of the entry routine; may be empty when --entry gives it
  std::vector<StringConstant> strings;
  std::vector<ImportedSymbol> imports;
  std::optional<Settings> settings;
};

}  // namespace qlimage
