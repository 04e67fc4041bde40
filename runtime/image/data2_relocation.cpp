// Reading data2's runs and relocating data1 by them.
#include "image/data2_relocation.h"

#include <cstring>

#include "image/image_format.h"

namespace ql::image {

bool Data2Reader::next(Data2Run& out) {
  while (index_ < word_count_ && problem_.empty()) {
    uint32_t i = index_++;
    uint16_t word = static_cast<uint16_t>(data2_[2 * i] | data2_[2 * i + 1] << 8);
    if ((word & kSkipMask) == kSkip) {
      cursor_ += (word & 0x0FFFu) + 1;
      ++skips_;
      continue;
    }
    RelocationBase base;
    switch (word & kRunMask) {
      case kRunCode1:
      case kRunCode1Alt:
        base = RelocationBase::kCode1;
        break;
      case kRunData1:
        base = RelocationBase::kData1;
        break;
      default:
        ++ignored_;
        continue;
    }
    uint32_t count = (word & 0x01FFu) + 1;
    if (cursor_ + 4ull * count > data1_length_) {
      problem_ = "relocation word " + std::to_string(i) + " of data2 reaches past the end of data1 (offset " +
                 std::to_string(cursor_) + ", " + std::to_string(count) + " words, data1 has " +
                 std::to_string(data1_length_) + " bytes)";
      return false;
    }
    out = Data2Run{i, word, cursor_, count, base};
    cursor_ += 4ull * count;
    return true;
  }
  return false;
}

bool relocate_data1(const uint8_t* data2, uint32_t data2_length, uint8_t* data1, uint32_t data1_length,
                    uint32_t code1_address, uint32_t data1_address, std::string& error) {
  Data2Reader reader(data2, data2_length, data1_length);
  for (Data2Run run; reader.next(run);) {
    uint32_t base = run.base == RelocationBase::kCode1 ? code1_address : data1_address;
    for (uint32_t k = 0; k < run.words; ++k) {
      uint8_t* at = data1 + run.offset + 4 * k;
      uint32_t value;
      std::memcpy(&value, at, 4);
      value += base;
      std::memcpy(at, &value, 4);
    }
  }
  if (reader.damaged()) {
    error = reader.problem();
    return false;
  }
  return true;
}

void append_data2_notes(std::vector<uint8_t>& data2, const std::vector<uint8_t>& notes) {
  for (uint8_t byte : notes) {
    data2.push_back(byte);
    data2.push_back(static_cast<uint8_t>(kNoteWord >> 8));
  }
}

std::vector<uint8_t> read_data2_notes(const uint8_t* data2, uint32_t data2_length) {
  std::vector<uint8_t> notes;
  for (uint32_t i = 0; i + 1 < data2_length; i += 2) {
    uint16_t word = static_cast<uint16_t>(data2[i] | data2[i + 1] << 8);
    if (is_note_word(word)) notes.push_back(static_cast<uint8_t>(word));
  }
  return notes;
}

}  // namespace ql::image
