// The application image as the runtime reads it and qlimage writes it.
#pragma once

#include <stdint.h>

namespace ql::image {

// The PICKLE resource: {image offset, resource index offset}, little-endian.
constexpr uint16_t kPickleResourceId = 101;
constexpr const char* kPickleResourceType = "PICKLE";
constexpr uint32_t kPickleSize = 8;
constexpr uint32_t kNoResourceIndex = 0xFFFFFFFFu;
constexpr char kDevelopmentMarker[4] = {'P', 'I', 'C', 'K'};

// Blocks in file order; each is a little-endian u32 length and that many bytes.
constexpr int kBlockCount = 4;
enum Block { kCode1 = 0, kCode2 = 1, kData1 = 2, kData2 = 3 };
constexpr const char* kDevelopmentFiles[kBlockCount] = {"code1.dat", "code2.dat", "data1.dat", "data2.dat"};
constexpr const char* kDevelopmentResourceIndexFile = "data3.dat";

// code2 records.
constexpr uint8_t kImportRecord = 1;     // u8 1, u32 chain head, u8 n, n name bytes
constexpr uint8_t kDataFixupRecord = 2;  // u8 2, u32 code1 offset
constexpr uint32_t kImportRecordFixedSize = 6;
constexpr uint32_t kDataFixupRecordSize = 5;

// data2 words.
constexpr uint16_t kSkipMask = 0xF000;
constexpr uint16_t kSkip = 0x8000;  // advance by (w & 0x0FFF) + 1 bytes
constexpr uint16_t kRunMask = 0xFE00;
constexpr uint16_t kRunCode1 = 0x4000;  // (w & 0x01FF) + 1 words get code1's load address
constexpr uint16_t kRunData1 = 0x4200;  // ... data1's load address
constexpr uint16_t kRunCode1Alt = 0x4600;
constexpr uint32_t kMaxSkip = 0x1000;
constexpr uint32_t kMaxRunWords = 0x200;

// data1 header words.
constexpr uint32_t kEntryRoutineWord = 0;
constexpr uint32_t kProjectTableWord = 4;

// One region holds code1, then data1 at the next 64 KiB boundary past code1, then the import thunks.
// qlimage resolves RIP-relative references from code1 to data1 with the same rule.
constexpr uint32_t kData1Alignment = 0x10000;
constexpr uint32_t data1_offset_in_region(uint32_t code1_length) {
  return (code1_length + kData1Alignment - 1) & ~(kData1Alignment - 1);
}
// One thunk per import record, in slots of this size. A call to an entry point or member reaches it through
// a thunk that loads its address and jumps to the runtime's entry gate; with 8-byte pointers a library
// routine is reached through an indirect jump (the runtime's code2 linker writes both).
constexpr uint32_t kThunkSize = 32;

// Project item kinds.
enum ItemKind : uint32_t {
  kItemPicture = 1,
  kItemMenuBar = 2,
  kItemMovie = 3,
  kItemSettings = 4,
  kItemImplicitInstance = 5,
  kItemSound = 6,
  kItemValue7 = 7,
  kItemValue8 = 8,
  kItemMouseCursor = 9,
  kItemDatabase = 10,
};

// Script codes of the settings record and the font character sets they select.
constexpr uint8_t charset_for_script(uint32_t script) {
  switch (script) {
    case 13:
      return 128;
    case 21:
      return 136;
    case 12:
      return 177;
    case 14:
      return 178;
    case 16:
      return 161;
    case 19:
      return 162;
    case 24:
      return 222;
    case 34:
      return 204;
    default:
      return 1;
  }
}

}  // namespace ql::image
