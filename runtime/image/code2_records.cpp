// Reading code2's records.
#include "image/code2_records.h"

#include <cstring>

#include "image/image_format.h"

namespace ql::image {

namespace {
uint32_t read_u32(const uint8_t* p) {
  uint32_t value;
  std::memcpy(&value, p, 4);
  return value;
}
}  // namespace

bool Code2Reader::next(Code2Record& out) {
  while (at_ < length_ && problem_.empty()) {
    uint8_t kind = code2_[at_];
    uint32_t left = length_ - at_;
    if (kind == kDataFixupRecord) {
      if (left < kDataFixupRecordSize) {
        problem_ = "the data fixup record at code2 offset " + std::to_string(at_) + " is cut short";
        return false;
      }
      out = Code2Record{kind, at_, 0, {}, read_u32(code2_ + at_ + 1)};
      at_ += kDataFixupRecordSize;
      return true;
    }
    if (kind == kImportRecord) {
      if (left < kImportRecordFixedSize || left < kImportRecordFixedSize + code2_[at_ + 5]) {
        problem_ = "the import record at code2 offset " + std::to_string(at_) + " is cut short";
        return false;
      }
      uint8_t name_length = code2_[at_ + 5];
      out = Code2Record{kind, at_, read_u32(code2_ + at_ + 1),
                        std::string_view(reinterpret_cast<const char*>(code2_ + at_ + 6), name_length), 0};
      at_ += kImportRecordFixedSize + name_length;
      return true;
    }
    ++at_;
  }
  return false;
}

bool walk_call_chain(const uint8_t* code1, uint32_t length, uint32_t head, std::vector<uint32_t>& fields,
                     std::string& problem) {
  fields.clear();
  std::vector<bool> passed;
  for (uint32_t field = head; field != 0; field = read_u32(code1 + field)) {
    if (field > length || length - field < 4) {
      problem = "a call chain leaves code1 at offset " + std::to_string(field);
      return false;
    }
    if (passed.empty()) passed.resize(length, false);
    if (passed[field]) {
      problem = "the call chain from code1 offset " + std::to_string(head) + " returns to offset " +
                std::to_string(field) + " and would never end";
      return false;
    }
    passed[field] = true;
    fields.push_back(field);
  }
  return true;
}

uint32_t count_import_records(const uint8_t* code2, uint32_t length) {
  Code2Reader reader(code2, length);
  uint32_t count = 0;
  for (Code2Record record; reader.next(record);) count += record.kind == kImportRecord;
  return count;
}

}  // namespace ql::image
