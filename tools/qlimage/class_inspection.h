// Reads class descriptors and the string constants they name back out of an image, checking every word
// against data2: names must be relocated by data1's load address, code addresses by code1's (or be 0 and
// left alone, meaning none).
#pragma once

#include <stdint.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "qlimage/image.h"

namespace qlimage {

struct MemberReport {
  std::string name;
  std::optional<uint32_t> code;  // code1 offset
  uint32_t key = 0;              // hooks
};

struct ClassReport {
  uint32_t index = 0;
  uint32_t pointer = 0;  // data1 offset of the descriptor
  uint32_t kind = 0;
  bool named = false;  // false: the name pointer is 0 (an anonymous class)
  std::string name;
  uint32_t size = 0;
  int32_t superclass = -1;
  bool has_constructor = false;
  std::optional<uint32_t> constructor, destructor;
  bool is_interface = false;
  std::vector<uint32_t> interfaces;
  std::vector<MemberReport> methods, hooks, menu_handlers;
  std::vector<std::optional<uint32_t>> method_table;
  bool complete = false;  // read to its end without a problem
};

// Fills `cls` from the descriptor at cls.pointer; each problem names the class and the place.
void read_class_descriptor(const Image& image, const std::map<uint32_t, uint16_t>& relocated_words,
                           uint32_t class_count, ClassReport& cls, std::vector<std::string>& problems);

// The text of the string constant whose header is at `header`, in either target's header layout (told
// apart by which word data2 relocates); nullopt with `problem` set when it is malformed.
std::optional<std::string> read_string_constant(const Image& image,
                                                const std::map<uint32_t, uint16_t>& relocated_words,
                                                uint32_t header, std::string& problem);

}  // namespace qlimage
