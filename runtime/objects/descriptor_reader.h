// Reading one class descriptor's 32-bit words from data1, each checked to lie inside it.
#pragma once

#include <stdint.h>

#include <string>

#include "objects/class_descriptors.h"
#include "start/project_table.h"

namespace ql {

class DescriptorReader {
 public:
  // Reads the descriptor of class index at the data1 address at; failures describe themselves in problem.
  DescriptorReader(const image::Data1View& data1, const CodeRange& code1, uint32_t index, uint32_t at,
                   std::string& problem);

  bool word(uint32_t& out);
  // A count of entries of entry_words words each, refused when data1 cannot hold that many.
  bool count(uint32_t& out, uint32_t entry_words, const char* what);
  // A pointer word to a string constant (0: the empty string).
  bool text(std::string& out, const char* what);
  // A code address word (0: none).
  bool code(uintptr_t& out, const char* what);

  bool fail(const std::string& what);  // sets problem; always false

 private:
  const image::Data1View& data1_;
  const CodeRange& code1_;
  uint32_t index_;
  uint32_t at_;
  std::string& problem_;
};

// The text of the string constant whose header lies at pointer; false when it does not lie inside data1.
bool read_string_constant(const image::Data1View& data1, uint32_t pointer, std::string& out);

}  // namespace ql
