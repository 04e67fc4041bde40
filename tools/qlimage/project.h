// The project description as qlimage uses it, read from the project's TOML file. Texts are already in the
// image's single-byte character set; files named by the project are read into it before linking.
#pragma once

#include <stdint.h>

#include <optional>
#include <string>
#include <vector>

#include "qlimage/bytes.h"

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
  std::string size_symbol;          // a data symbol whose 32-bit value is the size; used when `size` is unset
  bool size_of_superclass = false;  // neither given: the superclass's size (a control's own class)
  std::string constructor;
  std::string destructor;
  bool is_interface = false;
  std::vector<std::string> interfaces;  // names of classes of the list
  std::vector<ClassMethod> methods;
  std::vector<ClassHook> hooks;
  std::vector<MenuHandler> menu_handlers;
  std::vector<std::string> method_table;  // slots from 1 on; an empty symbol leaves its slot 0
  std::string made_for;                   // a class qlimage added: what uses it, for messages
};

// A file the project names: "@NAME" (given with --file NAME=PATH) or a path relative to the project file.
struct FileSource {
  std::string written;  // as the project writes it
  std::string path;     // where it was read from
  Bytes bytes;
};

struct PropertyValue {
  std::string text;
  std::optional<FileSource> file;  // the text is the file's bytes, unchanged
};

struct Property {
  std::string name;
  PropertyValue value;
};

struct ControlDescription {
  std::string class_name;  // a class of the list or of the runtime ...
  std::string superclass;  // ... or, instead, the superclass of a class made for this control
  std::vector<ClassHook> hooks;
  std::optional<uint32_t> size;
  std::string size_symbol;
  std::vector<Property> properties;
  std::optional<uint32_t> count;  // a control array of that many members, Index 0 .. count - 1
  uint32_t line = 0;              // in the project file, for messages
};

struct BindingDescription {
  int32_t first = 0;  // control numbers
  int32_t second = 0;
  std::string binder;  // class name
  std::string first_part;
  std::string second_part;
};

struct WindowDescription {
  std::string symbol;  // the data symbol compiled code passes to RuntimeCreateWindow
  std::string class_name;
  std::vector<Property> properties;
  std::vector<ControlDescription> controls;
  std::vector<BindingDescription> bindings;
  uint32_t line = 0;
};

constexpr int32_t kNoMenuIndex = static_cast<int32_t>(0x80000000u);

struct MenuItemDescription {
  std::string text;  // "-" makes a separator
  std::string name;
  int32_t index = kNoMenuIndex;
  std::string key;
  std::string class_name = "MenuItem";
  std::string third_text;
  std::string fourth_text;
  bool has_submenu = false;
  std::vector<MenuItemDescription> items;
};

struct MenuDescription {
  std::string text;
  std::string name;
  std::vector<MenuItemDescription> items;
};

struct PictureDescription {
  uint32_t item = 0;
  FileSource file;
  bool transparent = false;
  uint32_t width = 0, height = 0;
  std::vector<uint8_t> rgba;  // decoded from the file, top row first
};

struct SoundDescription {
  uint32_t item = 0;
  FileSource file;
};

struct ImplicitInstance {
  uint32_t item = 0;
  std::string class_name;
  std::string global;  // a pointer-sized data symbol of the compiled code
};

struct PluginDescription {
  std::string name;  // the file name stored in the chain
  FileSource file;
  std::vector<std::string> classes;  // the classes it registers, which windows may then name
};

struct Project {
  std::string path;   // for messages
  std::string entry;  // symbol of the entry routine; may be empty when --entry gives it
  std::vector<StringConstant> strings;
  std::vector<ImportedSymbol> imports;
  std::optional<Settings> settings;
  std::vector<ClassDescription> classes;  // in class-index order
  std::vector<WindowDescription> windows;
  std::vector<MenuDescription> menus;
  std::vector<PictureDescription> pictures;
  std::vector<SoundDescription> sounds;
  std::vector<ImplicitInstance> implicit_instances;
  std::vector<PluginDescription> plugins;
};

}  // namespace qlimage
