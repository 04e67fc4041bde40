// data2: the 16-bit words that name data1's relocated words, read as runs, and applied to data1.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

namespace ql::image {

enum class RelocationBase { kCode1, kData1 };

// words consecutive 32-bit words at data1 offset `offset` get the base's load address.
struct Data2Run {
  uint32_t word_index = 0;  // position of the data2 word that made the run
  uint16_t word = 0;
  uint64_t offset = 0;
  uint32_t words = 0;
  RelocationBase base = RelocationBase::kCode1;
};

// Reads data2's words in order: skips move the cursor, unknown kinds are ignored and leave it where it is.
// A run that would reach past data1's end is damage: next() then answers false and damaged() is true.
class Data2Reader {
 public:
  Data2Reader(const uint8_t* data2, uint32_t data2_length, uint32_t data1_length)
      : data2_(data2), word_count_(data2_length / 2), data1_length_(data1_length) {}

  bool next(Data2Run& out);
  uint64_t cursor() const { return cursor_; }
  uint32_t skip_words() const { return skips_; }
  uint32_t ignored_words() const { return ignored_; }  // of no kind, notes included
  bool damaged() const { return !problem_.empty(); }
  const std::string& problem() const { return problem_; }

 private:
  const uint8_t* data2_;
  uint32_t word_count_;
  uint32_t data1_length_;
  uint32_t index_ = 0;
  uint64_t cursor_ = 0;  // wide, so that long skips cannot wrap
  uint32_t skips_ = 0;
  uint32_t ignored_ = 0;
  std::string problem_;
};

// Adds code1's or data1's load address to the 32-bit words that data2's runs name. A run that would reach
// past the end of data1 fails with error set and leaves the words before it relocated; skips may run past
// the end as long as no run follows.
bool relocate_data1(const uint8_t* data2, uint32_t data2_length, uint8_t* data1, uint32_t data1_length,
                    uint32_t code1_address, uint32_t data1_address, std::string& error);

// Words 0xA000 to 0xA0FF are of no relocation kind, so the loader passes over them. qlimage puts its link map
// (the names of the symbols it defined in data1) behind the runs in such words, one byte per word.
constexpr uint16_t kNoteWord = 0xA000;
void append_data2_notes(std::vector<uint8_t>& data2, const std::vector<uint8_t>& notes);
std::vector<uint8_t> read_data2_notes(const uint8_t* data2, uint32_t data2_length);
constexpr bool is_note_word(uint16_t word) { return (word & 0xFF00) == kNoteWord; }

}  // namespace ql::image
