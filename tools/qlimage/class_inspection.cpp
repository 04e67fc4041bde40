// Reading class descriptors back out of an image for `dump`, every word checked.
#include "qlimage/class_inspection.h"

#include <algorithm>

#include "image/image_format.h"

namespace qlimage {
namespace {

constexpr uint32_t kCompiledKind = 0;
constexpr uint32_t kReferenceKind = 1;

bool relocated_by(const std::map<uint32_t, uint16_t>& words, uint32_t offset, bool code) {
  auto it = words.find(offset);
  if (it == words.end()) return false;
  return code ? it->second != ql::image::kRunData1 : it->second == ql::image::kRunData1;
}

struct DescriptorCursor {
  const Image& image;
  const std::map<uint32_t, uint16_t>& relocated_words;
  ClassReport& cls;
  std::vector<std::string>& problems;
  uint64_t at;

  bool fail(const std::string& what) {
    problems.push_back("class " + std::to_string(cls.index) + " at data1+" + hex(cls.pointer) + ": " + what);
    return false;
  }
  bool word(uint32_t& out) {
    if (!ByteView(image.data1).u32(at, out)) return fail("the descriptor runs past the end of data1");
    at += 4;
    return true;
  }
  // A count of entries of `entry_words` words each, which must fit in the rest of data1.
  bool count(uint32_t& out, uint32_t entry_words, const char* what) {
    if (!word(out)) return false;
    if (!ByteView(image.data1).has(at, uint64_t{out} * entry_words * 4)) {
      return fail("claims " + std::to_string(out) + " " + what + ", more than the rest of data1 holds");
    }
    return true;
  }
  bool text(std::string& out, bool& named, const char* what) {
    uint32_t offset = static_cast<uint32_t>(at);
    uint32_t pointer;
    if (!word(pointer)) return false;
    named = pointer != 0;
    bool relocated = relocated_by(relocated_words, offset, false);
    if (pointer == 0 && !relocated) return true;
    if (!relocated)
      return fail(std::string(what) + " pointer at data1+" + hex(offset) + " is not relocated by data1");
    std::string problem;
    std::optional<std::string> value = read_string_constant(image, relocated_words, pointer, problem);
    if (!value) return fail(std::string(what) + " at data1+" + hex(pointer) + ": " + problem);
    out = *value;
    return true;
  }
  bool text(std::string& out, const char* what) {
    bool named = false;
    if (!text(out, named, what)) return false;
    return named || fail(std::string(what) + " pointer is 0");
  }
  bool code(std::optional<uint32_t>& out, const char* what) {
    uint32_t offset = static_cast<uint32_t>(at);
    uint32_t value;
    if (!word(value)) return false;
    out.reset();
    if (!relocated_by(relocated_words, offset, true)) {
      if (value == 0 && !relocated_by(relocated_words, offset, false)) return true;
      return fail(std::string(what) + " address at data1+" + hex(offset) + " is not relocated by code1");
    }
    if (value >= image.code1.size()) {
      return fail(std::string(what) + " address code1+" + hex(value) + " lies outside code1");
    }
    out = value;
    return true;
  }
  bool class_index(uint32_t index, uint32_t class_count, const char* what) {
    if (index < class_count) return true;
    return fail(std::string(what) + " index " + std::to_string(static_cast<int32_t>(index)) +
                " is not a class of the table (" + std::to_string(class_count) + " classes)");
  }

  bool members(std::vector<MemberReport>& out, bool with_code, bool with_key, const char* what) {
    uint32_t n;
    if (!count(n, 1 + (with_code ? 1 : 0) + (with_key ? 1 : 0), what)) return false;
    for (uint32_t k = 0; k < n; ++k) {
      MemberReport member;
      if (!text(member.name, what)) return false;
      if (with_code && !code(member.code, what)) return false;
      if (with_key && !word(member.key)) return false;
      out.push_back(std::move(member));
    }
    return true;
  }

  bool compiled(uint32_t class_count) {
    uint32_t word_value;
    if (!word(cls.size) || !text(cls.name, cls.named, "class name") || !word(word_value)) return false;
    cls.superclass = static_cast<int32_t>(word_value);
    if (cls.superclass != -1 && !class_index(word_value, class_count, "superclass")) return false;
    if (!word(word_value)) return false;
    cls.has_constructor = word_value != 0;
    if (cls.has_constructor &&
        (!code(cls.constructor, "constructor") || !code(cls.destructor, "destructor"))) {
      return false;
    }
    if (!word(word_value)) return false;
    cls.is_interface = (word_value & 0xFF) != 0;
    uint32_t n;
    if (!count(n, 1, "interfaces")) return false;
    for (uint32_t k = 0; k < n; ++k) {
      if (!word(word_value) || !class_index(word_value, class_count, "interface")) return false;
      cls.interfaces.push_back(word_value);
    }
    if (!members(cls.methods, !cls.is_interface, false, "methods") ||
        !members(cls.hooks, true, true, "hooks") ||
        !members(cls.menu_handlers, true, false, "menu handlers") || !count(n, 1, "method table slots")) {
      return false;
    }
    for (uint32_t k = 0; k < n; ++k) {
      std::optional<uint32_t> slot;
      if (!code(slot, "method table")) return false;
      cls.method_table.push_back(slot);
    }
    return true;
  }
};

}  // namespace

std::optional<std::string> read_string_constant(const Image& image,
                                                const std::map<uint32_t, uint16_t>& relocated_words,
                                                uint32_t header, std::string& problem) {
  ByteView data1(image.data1);
  uint32_t buffer = 0, size = 0, length = 0, padding = 0, high = 0;
  bool narrow = relocated_by(relocated_words, header + 4, false);
  bool wide = !narrow && relocated_by(relocated_words, header + 8, false);
  bool read = narrow ? data1.u32(header + 4ull, buffer) && data1.u32(header + 8ull, size) &&
                           data1.u32(header + 12ull, length)
              : wide ? data1.u32(header + 4ull, padding) && data1.u32(header + 8ull, buffer) &&
                           data1.u32(header + 12ull, high) && data1.u32(header + 16ull, size) &&
                           data1.u32(header + 20ull, length)
                     : false;
  if (!read || padding != 0 || high != 0) {
    problem = "no string constant header there (its buffer pointer is not relocated by data1)";
    return std::nullopt;
  }
  uint8_t length_byte = 0;
  if (!data1.u8(buffer, length_byte) || !data1.has(buffer + 1ull, uint64_t{length} + 1)) {
    problem = "the string's buffer at data1+" + hex(buffer) + " runs past the end of data1";
    return std::nullopt;
  }
  if (size != length || length_byte != std::min<uint32_t>(length, 255) ||
      image.data1[buffer + 1ull + length] != 0) {
    problem = "the string's length words and its length-prefixed buffer disagree";
    return std::nullopt;
  }
  return std::string(reinterpret_cast<const char*>(image.data1.data()) + buffer + 1, length);
}

void read_class_descriptor(const Image& image, const std::map<uint32_t, uint16_t>& relocated_words,
                           uint32_t class_count, ClassReport& cls, std::vector<std::string>& problems) {
  DescriptorCursor in{image, relocated_words, cls, problems, cls.pointer};
  if (!in.word(cls.kind)) return;
  if (cls.kind == kReferenceKind) {
    cls.complete =
        in.text(cls.name, cls.named, "class name") && (cls.named || in.fail("a reference without a name"));
  } else if (cls.kind == kCompiledKind) {
    cls.complete = in.compiled(class_count);
  } else {
    in.fail("the unknown kind " + std::to_string(cls.kind));
  }
}

}  // namespace qlimage
