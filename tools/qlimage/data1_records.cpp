// Building data1 records and the pool of string constants.
#include "qlimage/data1_records.h"

#include "image/string_constant.h"

namespace qlimage {

RecordId Data1Records::add(Data1Record record) {
  records_.push_back(std::move(record));
  return static_cast<RecordId>(records_.size() - 1);
}

PointerTarget StringPool::separate(const std::string& text) {
  ql::image::EncodedStringConstant encoded = ql::image::encode_string_constant(text, target_.pointer_size);
  Data1Record record;
  record.alignment = target_.pointer_size;
  record.bytes = std::move(encoded.bytes);
  RecordId id = records_.add(std::move(record));
  records_[id].pointers.push_back({encoded.buffer_word, record_target(id, 0)});
  return record_target(id, encoded.header);
}

PointerTarget StringPool::constant(const std::string& text) {
  auto it = shared_.find(text);
  if (it != shared_.end()) return it->second;
  PointerTarget target = separate(text);
  shared_.emplace(text, target);
  return target;
}

void append_word(Data1Record& record, uint32_t value) { append_u32(record.bytes, value); }

void append_pointer(Data1Record& record, const PointerTarget& target) {
  record.pointers.push_back({static_cast<uint32_t>(record.bytes.size()), target});
  append_u32(record.bytes, 0);
}

void append_code(Data1Record& record, const std::optional<SymbolTarget>& code) {
  if (code) {
    append_pointer(record, section_target(*code));
  } else {
    append_u32(record.bytes, 0);
  }
}

}  // namespace qlimage
