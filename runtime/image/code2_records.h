// The records of code2: imports (a call chain and a name) and data fixups, read in order. Bytes of any other
// kind are skipped one at a time; a record cut short by the end of the block ends the walk as damaged.
#pragma once

#include <stdint.h>

#include <string>
#include <string_view>
#include <vector>

namespace ql::image {

struct Code2Record {
  uint8_t kind = 0;           // kImportRecord or kDataFixupRecord
  uint32_t at = 0;            // offset of the record in code2
  uint32_t chain_head = 0;    // imports: code1 offset of the first call's displacement, 0 for none
  std::string_view name;      // imports: the imported name, pointing into code2
  uint32_t fixup_offset = 0;  // data fixups: code1 offset of the word that gets data1's address
};

class Code2Reader {
 public:
  Code2Reader(const uint8_t* code2, uint32_t length) : code2_(code2), length_(length) {}

  // The next record; false at the end of the block or at a damaged record (then damaged() is true).
  bool next(Code2Record& out);
  bool damaged() const { return !problem_.empty(); }
  const std::string& problem() const { return problem_; }

 private:
  const uint8_t* code2_;
  uint32_t length_;
  uint32_t at_ = 0;
  std::string problem_;
};

// The code1 offsets of the displacement fields of the call chain that starts at head (0: none), in chain
// order. False with problem set when a link leaves code1 or leads back to a field already passed.
bool walk_call_chain(const uint8_t* code1, uint32_t length, uint32_t head, std::vector<uint32_t>& fields,
                     std::string& problem);

// Number of import records, and so the most thunks linking can need; stops at a damaged record.
uint32_t count_import_records(const uint8_t* code2, uint32_t length);

}  // namespace ql::image
