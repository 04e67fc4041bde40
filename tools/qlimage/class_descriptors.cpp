// Writing class descriptors: kind 1 references by name, kind 0 compiled classes word by word.
#include "qlimage/class_descriptors.h"

#include "image/class_descriptor.h"

namespace qlimage {
namespace {

struct DescriptorWriter {
  Data1Record& record;
  StringPool& names;

  void word(uint32_t value) { append_word(record, value); }
  void name(const std::optional<std::string>& text) {
    if (text) {
      append_pointer(record, names.constant(*text));
    } else {
      word(0);  // the empty name
    }
  }
  void code(const std::optional<SymbolTarget>& target) { append_code(record, target); }

  void compiled(const BoundClass& cls) {
    word(ql::image::kCompiledClass);
    word(cls.size);
    name(cls.name);
    word(static_cast<uint32_t>(cls.superclass));
    word(cls.constructor ? 1 : 0);
    if (cls.constructor) {
      code(cls.constructor);
      code(cls.destructor);
    }
    word(cls.is_interface ? 1 : 0);  // the flag byte and 3 zero bytes
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
    for (const std::optional<SymbolTarget>& slot : cls.method_table) code(slot);
  }
};

}  // namespace

std::vector<RecordId> add_class_descriptors(Data1Records& records, StringPool& names,
                                            const std::vector<BoundClass>& classes) {
  // Names first, so that the descriptors follow their string constants in data1.
  for (const BoundClass& cls : classes) {
    if (cls.name) names.constant(*cls.name);
    for (const auto* members : {&cls.methods, &cls.hooks, &cls.menu_handlers}) {
      for (const DescriptorMember& member : *members) names.constant(member.name);
    }
  }
  std::vector<RecordId> descriptors;
  for (const BoundClass& cls : classes) {
    Data1Record record;
    DescriptorWriter writer{record, names};
    if (cls.reference) {
      writer.word(ql::image::kReferenceClass);
      writer.name(cls.name);
    } else {
      writer.compiled(cls);
    }
    descriptors.push_back(records.add(std::move(record)));
  }
  return descriptors;
}

}  // namespace qlimage
