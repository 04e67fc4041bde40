// Building the character tables of the ANSI code page and the fixed folding table.
#include "values/char_tables.h"

#include <array>

#include "platform/platform.h"

namespace ql {
namespace {

constexpr uint16_t kC1Space = 0x08;
constexpr uint16_t kC1Blank = 0x40;

struct CharTables {
  bool built = false;
  bool dbcs = false;
  uint8_t lead_byte[256] = {};
  uint8_t upper_case[256] = {};
  uint8_t white_space[256] = {};
};

CharTables& tables() {
  static CharTables instance;
  return instance;
}

constexpr std::array<uint8_t, 256> build_folding_table() {
  std::array<uint8_t, 256> table{};
  for (int i = 0; i < 256; ++i) table[i] = static_cast<uint8_t>(i >= 'a' && i <= 'z' ? i - 0x20 : i);
  constexpr uint8_t kMacRoman[][2] = {
      {0x87, 0xE7}, {0x88, 0xCB}, {0x89, 0xE5}, {0x8A, 0x80}, {0x8B, 0xCC}, {0x8C, 0x81},
      {0x8D, 0x82}, {0x8E, 0x83}, {0x8F, 0xE9}, {0x90, 0xE6}, {0x91, 0xE8}, {0x92, 0xEA},
      {0x93, 0xED}, {0x94, 0xEB}, {0x95, 0xEC}, {0x96, 0x84}, {0x97, 0xEE}, {0x98, 0xF1},
      {0x99, 0xEF}, {0x9A, 0x85}, {0x9B, 0xCD}, {0x9C, 0xF2}, {0x9D, 0xF4}, {0x9E, 0xF3},
      {0x9F, 0x86}, {0xBE, 0xAE}, {0xBF, 0xAF}, {0xCF, 0xCE}, {0xD8, 0xD9}, {0xF5, 0x49},
  };
  for (const auto& pair : kMacRoman) table[pair[0]] = pair[1];
  return table;
}

}  // namespace

constinit const std::array<uint8_t, 256> kFoldingTable = build_folding_table();

bool dbcs_check() {
  CharTables& t = tables();
  if (t.built) return t.dbcs;
  t.built = true;
  for (int byte = 0; byte < 256; ++byte) {
    t.lead_byte[byte] = platform::is_dbcs_lead_byte(static_cast<uint8_t>(byte)) ? 1 : 0;
    if (t.lead_byte[byte]) t.dbcs = true;
  }
  if (t.dbcs) return true;
  for (int byte = 0; byte < 256; ++byte) {
    char c = static_cast<char>(byte);
    platform::char_upper_buff(&c, 1);
    t.upper_case[byte] = static_cast<uint8_t>(c);
    uint16_t type = platform::char_type_c1(static_cast<uint8_t>(byte));
    t.white_space[byte] = (type & (kC1Space | kC1Blank)) ? kBlank : 0;
  }
  return false;
}

const uint8_t* lead_byte_table() {
  dbcs_check();
  return tables().lead_byte;
}

const uint8_t* upper_case_table() { return dbcs_check() ? nullptr : tables().upper_case; }

const uint8_t* white_space_flags() { return dbcs_check() ? nullptr : tables().white_space; }

}  // namespace ql
