// Class descriptors of the image's class table: references to runtime or plug-in classes by name, and the
// classes compiled into the application, decoded into plain records with every word checked.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "image/project_table.h"
#include "image/string_constant.h"

namespace ql::image {

constexpr uint32_t kReferenceClass = 1;
constexpr uint32_t kCompiledClass = 0;
constexpr int32_t kNoSuperclass = -1;
constexpr uint32_t kMaxInstanceSize = 0x1000000;  // larger sizes are refused as malformed

// Where compiled code lies, as the image's 32-bit words hold its addresses: each code word must be 0 (none)
// or point into it.
struct CodeWindow {
  uint32_t address = 0;
  uint32_t length = 0;
};

struct DescribedMethod {
  std::string name;
  uint32_t code = 0;  // 0 for an interface's methods
};

struct DescribedHook {
  std::string name;
  uint32_t code = 0;
  uint32_t key = 0;
};

struct DescribedMenuHandler {
  std::string item_name;
  uint32_t code = 0;
};

// Code words are kept as the image holds them; the runtime turns them into addresses.
struct ClassDescriptor {
  uint32_t kind = kCompiledClass;
  std::string name;  // empty for an anonymous compiled class
  uint32_t instance_size = 0;
  int32_t superclass = kNoSuperclass;
  bool has_constructor = false;
  uint32_t constructor = 0;
  uint32_t destructor = 0;
  bool is_interface = false;
  std::vector<uint32_t> interfaces;  // class indexes
  std::vector<DescribedMethod> methods;
  std::vector<DescribedHook> hooks;                 // in descriptor order
  std::vector<DescribedMenuHandler> menu_handlers;  // in descriptor order
  std::vector<uint32_t> method_table;               // from slot 0
};

// Decodes the descriptor of class index at data1 address at. Indexes are checked against class_count.
// False with problem naming the class index and what is wrong.
bool decode_class_descriptor(const Data1View& data1, const CodeWindow& code1, uint32_t class_count,
                             uint32_t index, uint32_t at, ClassDescriptor& out, std::string& problem);

}  // namespace ql::image
