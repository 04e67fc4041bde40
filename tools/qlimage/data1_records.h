// The records that qlimage generates for data1 (string constants, class descriptors, windows, items, the
// plug-in chain, the project table), before they have a place: bytes, an alignment, and the 32-bit words in
// them that point at other records, at code or at the compiled code's data. Placement gives each record its
// offset, fills those words in and lists them for data2.
#pragma once

#include <stdint.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "qlimage/bytes.h"
#include "qlimage/link_model.h"

namespace qlimage {

using RecordId = uint32_t;

// What a pointer word of a record points at: a record (at an offset inside it), or a place in the
// sections of the compiled code (code, relocated by code1; data, relocated by data1).
struct PointerTarget {
  enum Kind { kRecord, kSection } kind = kRecord;
  RecordId record = 0;
  uint32_t offset = 0;  // kRecord: inside the record
  SymbolTarget place;   // kSection
};

struct RecordPointer {
  uint32_t at = 0;  // offset of the word in the record
  PointerTarget target;
};

struct Data1Record {
  uint32_t alignment = 4;
  Bytes bytes;
  std::vector<RecordPointer> pointers;   // words that stay 0 here and receive the target's offset
  std::optional<uint32_t> fixed_offset;  // the data1 header lies at offset 0
};

class Data1Records {
 public:
  RecordId add(Data1Record record);
  const std::vector<Data1Record>& all() const { return records_; }
  Data1Record& operator[](RecordId id) { return records_[id]; }

 private:
  std::vector<Data1Record> records_;
};

inline PointerTarget record_target(RecordId record, uint32_t offset = 0) {
  return {PointerTarget::kRecord, record, offset, {}};
}
inline PointerTarget section_target(const SymbolTarget& place) {
  return {PointerTarget::kSection, 0, 0, place};
}

// String constants, one record per distinct text; a pointer to one is a pointer to its header.
class StringPool {
 public:
  StringPool(Data1Records& records, const TargetDescription& target) : records_(records), target_(target) {}
  PointerTarget constant(const std::string& text);
  // A constant of its own, not shared: the symbol of a [strings] entry.
  PointerTarget separate(const std::string& text);

 private:
  Data1Records& records_;
  const TargetDescription& target_;
  std::map<std::string, PointerTarget> shared_;
};

// Appends a 32-bit word; with a target, the word is a pointer that placement fills in.
void append_word(Data1Record& record, uint32_t value);
void append_pointer(Data1Record& record, const PointerTarget& target);
void append_code(Data1Record& record, const std::optional<SymbolTarget>& code);  // none: an unrelocated 0

}  // namespace qlimage
