// Decoding class descriptors word by word, each word checked to lie inside data1.
#include "image/class_descriptor.h"

#include <stdio.h>

namespace ql::image {

namespace {

class DescriptorReader {
 public:
  DescriptorReader(const Data1View& data1, const CodeWindow& code1, uint32_t index, uint32_t at,
                   std::string& problem)
      : data1_(data1), code1_(code1), index_(index), at_(at), problem_(problem) {}

  // Names the word last read by its offset in data1, so that a damaged image shows where it breaks.
  bool fail(const std::string& what) {
    char offset[16];
    snprintf(offset, sizeof offset, "0x%x", last_ - data1_.address);
    problem_ =
        "class descriptor " + std::to_string(index_) + " " + what + " (the word at data1+" + offset + ")";
    return false;
  }

  bool word(uint32_t& out) {
    last_ = at_;
    const uint8_t* bytes = data1_.at(at_, 4);
    if (!bytes) return fail("is cut short by the end of data1");
    out = read_word(bytes);
    at_ += 4;
    return true;
  }

  // A count of entries of entry_words words each, refused when data1 cannot hold that many.
  bool count(uint32_t& out, uint32_t entry_words, const char* what) {
    if (!word(out)) return false;
    if (out > data1_.length / 4 / entry_words || !data1_.at(at_, out * entry_words * 4)) {
      return fail("claims " + std::to_string(out) + " " + what + ", more than the rest of data1 holds");
    }
    return true;
  }

  bool text(std::string& out, const char* what) {
    uint32_t pointer = 0;
    if (!word(pointer)) return false;
    if (!read_string_constant(data1_, pointer, out))
      return fail("has a " + std::string(what) + " outside data1 or not a well-formed string constant");
    return true;
  }

  bool code(uint32_t& out, const char* what) {
    if (!word(out)) return false;
    if (out != 0 && (out < code1_.address || out - code1_.address >= code1_.length)) {
      return fail("has a " + std::string(what) + " address outside the compiled code");
    }
    return true;
  }

 private:
  const Data1View& data1_;
  const CodeWindow& code1_;
  uint32_t index_;
  uint32_t at_;
  uint32_t last_ = at_;
  std::string& problem_;
};

bool decode_compiled(DescriptorReader& in, uint32_t class_count, ClassDescriptor& out) {
  uint32_t word = 0;
  if (!in.word(out.instance_size) || !in.text(out.name, "name")) return false;
  if (out.instance_size > kMaxInstanceSize) {
    return in.fail("gives the instance size " + std::to_string(out.instance_size) +
                   ", more than any class can have");
  }
  if (!in.word(word)) return false;
  out.superclass = static_cast<int32_t>(word);
  if (out.superclass != kNoSuperclass && (out.superclass < 0 || word >= class_count)) {
    return in.fail("names the superclass index " + std::to_string(out.superclass) + ", but the image has " +
                   std::to_string(class_count) + " classes");
  }
  if (!in.word(word)) return false;
  out.has_constructor = word != 0;
  if (out.has_constructor &&
      (!in.code(out.constructor, "constructor") || !in.code(out.destructor, "destructor")))
    return false;
  if (!in.word(word)) return false;
  out.is_interface = (word & 0xFF) != 0;

  uint32_t n = 0;
  if (!in.count(n, 1, "interfaces")) return false;
  for (uint32_t i = 0; i < n; ++i) {
    if (!in.word(word)) return false;
    if (word >= class_count) {
      return in.fail("names the interface index " + std::to_string(static_cast<int32_t>(word)) +
                     ", but the image has " + std::to_string(class_count) + " classes");
    }
    out.interfaces.push_back(word);
  }
  if (!in.count(n, out.is_interface ? 1 : 2, "methods")) return false;
  for (uint32_t i = 0; i < n; ++i) {
    DescribedMethod method;
    if (!in.text(method.name, "method name")) return false;
    if (!out.is_interface && !in.code(method.code, "method")) return false;
    out.methods.push_back(std::move(method));
  }
  if (!in.count(n, 3, "hooks")) return false;
  for (uint32_t i = 0; i < n; ++i) {
    DescribedHook hook;
    if (!in.text(hook.name, "hook name") || !in.code(hook.code, "hook") || !in.word(hook.key)) return false;
    out.hooks.push_back(std::move(hook));
  }
  if (!in.count(n, 2, "menu handlers")) return false;
  for (uint32_t i = 0; i < n; ++i) {
    DescribedMenuHandler handler;
    if (!in.text(handler.item_name, "menu item name") || !in.code(handler.code, "menu handler")) return false;
    out.menu_handlers.push_back(std::move(handler));
  }
  if (!in.count(n, 1, "method table slots")) return false;
  out.method_table.resize(n);
  for (uint32_t i = 0; i < n; ++i) {
    if (!in.code(out.method_table[i], "method table")) return false;
  }
  return true;
}

}  // namespace

bool decode_class_descriptor(const Data1View& data1, const CodeWindow& code1, uint32_t class_count,
                             uint32_t index, uint32_t at, ClassDescriptor& out, std::string& problem) {
  out = ClassDescriptor{};
  DescriptorReader in(data1, code1, index, at, problem);
  if (!in.word(out.kind)) return false;
  if (out.kind == kReferenceClass) return in.text(out.name, "class name");
  if (out.kind != kCompiledClass) return in.fail("has the unknown kind " + std::to_string(out.kind));
  return decode_compiled(in, class_count, out);
}

}  // namespace ql::image
