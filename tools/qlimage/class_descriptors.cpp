// Writing the class descriptors and the string constants they name into data1.
#include "qlimage/class_descriptors.h"

#include "qlimage/generated_data.h"

namespace qlimage {
namespace {

constexpr uint32_t kCompiledKind = 0;
constexpr uint32_t kReferenceKind = 1;

struct DescriptorWriter {
  Bytes& data1;
  const std::vector<uint32_t>& name_headers;
  const std::vector<std::vector<uint32_t>>& section_offset;
  std::vector<DataWord>& words;

  void word(uint32_t value) { append_u32(data1, value); }
  void name(std::optional<uint32_t> index) {
    if (!index) {
      word(0);  // the empty name
      return;
    }
    words.push_back({static_cast<uint32_t>(data1.size()), false});
    word(name_headers[*index]);
  }
  // An absent address stays 0 and unrelocated, so that it still reads as "none" once loaded.
  void code(const std::optional<Target>& target) {
    if (!target) {
      word(0);
      return;
    }
    words.push_back({static_cast<uint32_t>(data1.size()), true});
    word(section_offset[target->object][target->section] + target->value);
  }

  void compiled(const BoundClass& cls) {
    word(kCompiledKind);
    word(cls.size);
    name(cls.name);
    word(static_cast<uint32_t>(cls.superclass));
    word(cls.constructor ? 1 : 0);
    if (cls.constructor) {
      code(cls.constructor);
      code(cls.destructor);
    }
    append_u8(data1, cls.is_interface ? 1 : 0);
    for (int pad = 0; pad < 3; ++pad) append_u8(data1, 0);
    word(static_cast<uint32_t>(cls.interfaces.size()));
    for (uint32_t index : cls.interfaces) word(index);
    word(static_cast<uint32_t>(cls.methods.size()));
    for (const DescriptorMember& method : cls.methods) {
      name(method.name);
      if (!cls.is_interface) code(method.code);
    }
    word(static_cast<uint32_t>(cls.hooks.size()));
    for (const DescriptorMember& hook : cls.hooks) {
      name(hook.name);
      code(hook.code);
      word(hook.key);
    }
    word(static_cast<uint32_t>(cls.menu_handlers.size()));
    for (const DescriptorMember& handler : cls.menu_handlers) {
      name(handler.name);
      code(handler.code);
    }
    word(static_cast<uint32_t>(cls.method_table.size()));
    for (const std::optional<Target>& slot : cls.method_table) code(slot);
  }
};

}  // namespace

std::vector<uint32_t> append_class_descriptors(Bytes& data1, const BoundClasses& classes,
                                               const std::vector<std::vector<uint32_t>>& section_offset,
                                               uint16_t machine, std::vector<DataWord>& words) {
  std::vector<uint32_t> name_headers;
  for (const std::string& text : classes.names) {
    name_headers.push_back(append_string_constant(data1, text, machine, words));
  }
  DescriptorWriter writer{data1, name_headers, section_offset, words};
  std::vector<uint32_t> descriptors;
  pad_to(data1, 4);
  for (const BoundClass& cls : classes.classes) {
    descriptors.push_back(static_cast<uint32_t>(data1.size()));
    if (cls.reference) {
      writer.word(kReferenceKind);
      writer.name(cls.name);
    } else {
      writer.compiled(cls);
    }
  }
  return descriptors;
}

}  // namespace qlimage
