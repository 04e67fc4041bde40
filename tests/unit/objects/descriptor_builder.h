// Class descriptors written into test data1, in the image's layout of 32-bit words.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "object_test_support.h"
#include "objects/class_descriptors.h"

namespace ql::testing {

// code1 as the descriptors see it: addresses from kCodeAddress, found in this process from kCodeBase.
constexpr uint32_t kCodeAddress = 0x00100000;
constexpr uint32_t kCodeLength = 0x1000;
constexpr uintptr_t kCodeBase = 0x7000000;
constexpr CodeRange kCode1{{kCodeAddress, kCodeLength}, kCodeBase};
constexpr uint32_t code_word(uint32_t offset) { return kCodeAddress + offset; }
constexpr uintptr_t code_in_process(uint32_t offset) { return kCodeBase + offset; }

struct NamedCode {
  std::string name;
  uint32_t code;
};

struct HookEntry {
  std::string name;
  uint32_t code;
  uint32_t key;
};

struct CompiledDescriptor {
  uint32_t size = sizeof(ObjectBase);
  std::string name;  // empty: a name pointer of 0
  int32_t superclass = -1;
  bool has_constructor = false;
  uint32_t constructor = 0;
  uint32_t destructor = 0;
  bool is_interface = false;
  std::vector<uint32_t> interfaces;
  std::vector<NamedCode> methods;  // an interface's codes are not written
  std::vector<HookEntry> hooks;
  std::vector<NamedCode> menu_handlers;
  std::vector<uint32_t> method_table;
};

inline uint32_t text_word(Data1Builder& data1, const std::string& text) {
  return text.empty() ? 0 : data1.string_constant(text);
}

// Writes the strings, then the descriptor; returns the descriptor's address.
inline uint32_t write_descriptor(Data1Builder& data1, const CompiledDescriptor& d) {
  uint32_t name = text_word(data1, d.name);
  std::vector<uint32_t> method_names, hook_names, handler_names;
  for (const NamedCode& m : d.methods) method_names.push_back(text_word(data1, m.name));
  for (const HookEntry& h : d.hooks) hook_names.push_back(text_word(data1, h.name));
  for (const NamedCode& m : d.menu_handlers) handler_names.push_back(text_word(data1, m.name));

  data1.align(4);
  uint32_t at = data1.here();
  data1.words({0, d.size, name, static_cast<uint32_t>(d.superclass), d.has_constructor ? 1u : 0u});
  if (d.has_constructor) data1.words({d.constructor, d.destructor});
  data1.word(d.is_interface ? 1 : 0);
  data1.word(static_cast<uint32_t>(d.interfaces.size()));
  for (uint32_t index : d.interfaces) data1.word(index);
  data1.word(static_cast<uint32_t>(d.methods.size()));
  for (size_t i = 0; i < d.methods.size(); ++i) {
    data1.word(method_names[i]);
    if (!d.is_interface) data1.word(d.methods[i].code);
  }
  data1.word(static_cast<uint32_t>(d.hooks.size()));
  for (size_t i = 0; i < d.hooks.size(); ++i) data1.words({hook_names[i], d.hooks[i].code, d.hooks[i].key});
  data1.word(static_cast<uint32_t>(d.menu_handlers.size()));
  for (size_t i = 0; i < d.menu_handlers.size(); ++i)
    data1.words({handler_names[i], d.menu_handlers[i].code});
  data1.word(static_cast<uint32_t>(d.method_table.size()));
  for (uint32_t code : d.method_table) data1.word(code);
  return at;
}

inline uint32_t write_reference(Data1Builder& data1, const std::string& name) {
  uint32_t text = data1.string_constant(name);
  uint32_t at = data1.here();
  data1.words({1, text});
  return at;
}

// The project table's class words for descriptors at those addresses.
inline std::vector<uint8_t> class_words(const std::vector<uint32_t>& descriptors) {
  std::vector<uint8_t> words(descriptors.size() * 4);
  for (size_t i = 0; i < descriptors.size(); ++i) std::memcpy(&words[i * 4], &descriptors[i], 4);
  return words;
}

inline bool build(const Data1Builder& data1, const std::vector<uint32_t>& descriptors, ClassBuild& out,
                  std::string& problem) {
  std::vector<uint8_t> words = class_words(descriptors);
  return build_classes(data1.view(), words.data(), static_cast<uint32_t>(descriptors.size()), kCode1, out,
                       problem);
}

}  // namespace ql::testing
