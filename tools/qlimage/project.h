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

// Symbols are C names of the compiled code (no i386 underscore); names are texts of the image.
struct ClassMethod {
  std::string name;
  std::string code;  // empty for the methods of an interface
};

struct ClassHook {
  std::string name;
  std::string code;
  uint32_t key = 0;
};

struct MenuHandler {
  std::string item;  // the menu item's name
  std::string code;
};

struct ClassDescription {
  bool reference = false;  // a class of the runtime or of a plug-in, found by name when the image starts
  std::string name;        // empty: an anonymous class
  std::string superclass;  // the name of another class of the list; empty: none
  std::optional<uint32_t> size;
  std::string size_symbol;  // a data symbol whose 32-bit value is the size; used when `size` is unset
  std::string constructor;
  std::string destructor;
  bool is_interface = false;
  std::vector<std::string> interfaces;  // names of classes of the list
  std::vector<ClassMethod> methods;
  std::vector<ClassHook> hooks;
  std::vector<MenuHandler> menu_handlers;
  std::vector<std::string> method_table;  // slots from 1 on; an empty symbol leaves its slot 0
};

struct Project {
  std::string path;   // for messages
  std::string entry;  // symbol of the entry routine; may be empty when --entry gives it
  std::vector<StringConstant> strings;
  std::vector<ImportedSymbol> imports;
  std::optional<Settings> settings;
  std::vector<ClassDescription> classes;  // in class-index order
};

}  // namespace qlimage
