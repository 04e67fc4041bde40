// The host's model of the ANSI code page: Windows-1252, without lead bytes. Case mapping, character types
// and the collation reproduce what CompareStringA and friends answer for this code page in the
// en-US locale, so the core behaves the same on the host as on Windows.
#include <array>

#include "platform/platform.h"

namespace ql::platform {
namespace {

constexpr bool has_case_pair(uint8_t lower) {
  return (lower >= 'a' && lower <= 'z') || (lower >= 0xE0 && lower <= 0xFE && lower != 0xF7) ||
         lower == 0x9A || lower == 0x9C || lower == 0x9E;
}

constexpr uint8_t to_upper(uint8_t c) {
  if (c == 0xFF) return 0x9F;
  if (c >= 0x9A && c <= 0x9E) return has_case_pair(c) ? c - 0x10 : c;
  return has_case_pair(c) ? c - 0x20 : c;
}

constexpr uint8_t to_lower(uint8_t c) {
  if (c == 0x9F) return 0xFF;
  if (c >= 0x8A && c <= 0x8E) return has_case_pair(c + 0x10) ? c + 0x10 : c;
  return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ? c + 0x20 : c;
}

// CT_CTYPE1 of every byte, C1_DEFINED included.
// clang-format off
constexpr uint16_t kCharTypes[256] = {
    /* 00 */ 0x220, 0x220, 0x220, 0x220, 0x220, 0x220, 0x220, 0x220,
    /* 08 */ 0x220, 0x268, 0x228, 0x228, 0x228, 0x228, 0x220, 0x220,
    /* 10 */ 0x220, 0x220, 0x220, 0x220, 0x220, 0x220, 0x220, 0x220,
    /* 18 */ 0x220, 0x220, 0x220, 0x220, 0x220, 0x220, 0x220, 0x220,
    /* 20 */ 0x248, 0x210, 0x210, 0x210, 0x210, 0x210, 0x210, 0x210,
    /* 28 */ 0x210, 0x210, 0x210, 0x210, 0x210, 0x210, 0x210, 0x210,
    /* 30 */ 0x284, 0x284, 0x284, 0x284, 0x284, 0x284, 0x284, 0x284,
    /* 38 */ 0x284, 0x284, 0x210, 0x210, 0x210, 0x210, 0x210, 0x210,
    /* 40 */ 0x210, 0x381, 0x381, 0x381, 0x381, 0x381, 0x381, 0x301,
    /* 48 */ 0x301, 0x301, 0x301, 0x301, 0x301, 0x301, 0x301, 0x301,
    /* 50 */ 0x301, 0x301, 0x301, 0x301, 0x301, 0x301, 0x301, 0x301,
    /* 58 */ 0x301, 0x301, 0x301, 0x210, 0x210, 0x210, 0x210, 0x210,
    /* 60 */ 0x210, 0x382, 0x382, 0x382, 0x382, 0x382, 0x382, 0x302,
    /* 68 */ 0x302, 0x302, 0x302, 0x302, 0x302, 0x302, 0x302, 0x302,
    /* 70 */ 0x302, 0x302, 0x302, 0x302, 0x302, 0x302, 0x302, 0x302,
    /* 78 */ 0x302, 0x302, 0x302, 0x210, 0x210, 0x210, 0x210, 0x220,
    /* 80 */ 0x200, 0x220, 0x210, 0x302, 0x210, 0x210, 0x210, 0x210,
    /* 88 */ 0x300, 0x210, 0x301, 0x210, 0x301, 0x220, 0x301, 0x220,
    /* 90 */ 0x220, 0x210, 0x210, 0x210, 0x210, 0x210, 0x210, 0x210,
    /* 98 */ 0x200, 0x200, 0x302, 0x210, 0x302, 0x220, 0x302, 0x301,
    /* A0 */ 0x248, 0x210, 0x210, 0x210, 0x210, 0x210, 0x210, 0x210,
    /* A8 */ 0x210, 0x210, 0x312, 0x210, 0x210, 0x230, 0x210, 0x210,
    /* B0 */ 0x210, 0x210, 0x214, 0x214, 0x210, 0x312, 0x210, 0x210,
    /* B8 */ 0x210, 0x214, 0x312, 0x210, 0x210, 0x210, 0x210, 0x210,
    /* C0 */ 0x301, 0x301, 0x301, 0x301, 0x301, 0x301, 0x301, 0x301,
    /* C8 */ 0x301, 0x301, 0x301, 0x301, 0x301, 0x301, 0x301, 0x301,
    /* D0 */ 0x301, 0x301, 0x301, 0x301, 0x301, 0x301, 0x301, 0x210,
    /* D8 */ 0x301, 0x301, 0x301, 0x301, 0x301, 0x301, 0x301, 0x302,
    /* E0 */ 0x302, 0x302, 0x302, 0x302, 0x302, 0x302, 0x302, 0x302,
    /* E8 */ 0x302, 0x302, 0x302, 0x302, 0x302, 0x302, 0x302, 0x302,
    /* F0 */ 0x302, 0x302, 0x302, 0x302, 0x302, 0x302, 0x302, 0x210,
    /* F8 */ 0x302, 0x302, 0x302, 0x302, 0x302, 0x302, 0x302, 0x302,
};
// clang-format on

// Collation. Each byte is completely ignorable (NUL, soft hyphen), "special" (control characters,
// apostrophe and the dashes: ignored until the last level, as in word sort), or carries one or two
// primary weights with a diacritic and a case weight. Comparison runs level by level: primaries,
// diacritics, case (unless ignored), then the specials by position.
struct Collation {
  uint16_t primary[2];
  uint8_t diacritic;
  uint8_t upper;
  uint8_t special;
};

// Punctuation, symbols, then the digits, in ascending order. '^' and 0x88 share one weight.
constexpr char kSymbolOrder[] =
    " \xA0\t\n\v\f\r!\"#$%&()*,./:;?@[\\]^_`{|}~\xA1\xA6\xA8\xAF\xB4\xB8\xBF\x98\x91\x92\x82\x93\x94\x84\x8B"
    "\x9B\xA2\xA3\xA4\xA5\x80+<=>\xB1\xAB\xBB\xD7\xF7\xA7\xA9\xAC\xAE\xB0\xB5\xB6\xB7\x85\x86\x87\x95\x89"
    "\x81\x8D\x8F\x90\x9D"
    "0\xBC\xBD\xBE"
    "123456789";
constexpr char kSpecialOrder[] =
    "\x01\x02\x03\x04\x05\x06\x07\x08\x0E\x0F\x10\x11\x12\x13\x14\x15\x16\x17\x18\x19\x1A\x1B\x1C\x1D\x1E\x1F"
    "\x7F'-\x96\x97";

// Lower-case letters outside ASCII: the byte, its base letters (two for a ligature) and its diacritic.
struct LetterForm {
  uint8_t byte;
  char base[3];
  uint8_t diacritic;
};
constexpr LetterForm kLetterForms[] = {
    {0xAA, "a", 1},  {0xE1, "a", 2},  {0xE0, "a", 3}, {0xE2, "a", 4},  {0xE4, "a", 5}, {0xE3, "a", 6},
    {0xE5, "a", 7},  {0xE6, "ae", 0}, {0xE7, "c", 8}, {0xF0, "d", 8},  {0xE9, "e", 2}, {0xE8, "e", 3},
    {0xEA, "e", 4},  {0xEB, "e", 5},  {0x83, "f", 8}, {0xED, "i", 2},  {0xEC, "i", 3}, {0xEE, "i", 4},
    {0xEF, "i", 5},  {0xF1, "n", 6},  {0xBA, "o", 1}, {0xF3, "o", 2},  {0xF2, "o", 3}, {0xF4, "o", 4},
    {0xF6, "o", 5},  {0xF5, "o", 6},  {0xF8, "o", 7}, {0x9C, "oe", 0}, {0x9A, "s", 8}, {0xDF, "ss", 0},
    {0xFE, "th", 0}, {0xFA, "u", 2},  {0xF9, "u", 3}, {0xFB, "u", 4},  {0xFC, "u", 5}, {0xFD, "y", 2},
    {0xFF, "y", 5},  {0x9E, "z", 8},
};

constexpr std::array<Collation, 256> build_collation() {
  std::array<Collation, 256> table{};
  uint16_t weight = 1;
  for (const char* p = kSymbolOrder; *p; ++p) {
    uint8_t c = static_cast<uint8_t>(*p);
    table[c].primary[0] = weight++;
    if (c == '^') table[0x88].primary[0] = table[c].primary[0];
  }
  for (uint8_t digit = 1; digit <= 3; ++digit) {
    uint8_t superscript = digit == 1 ? 0xB9 : 0xB0 + digit;
    table[superscript].primary[0] = table['0' + digit].primary[0];
    table[superscript].diacritic = 1;
  }
  uint16_t letter_weight[26] = {};
  for (int i = 0; i < 26; ++i) {
    letter_weight[i] = weight++;
    if (i == 't' - 'a') table[0x99].primary[0] = weight++;  // the trade mark sorts between t and u
    for (uint8_t c : {static_cast<uint8_t>('a' + i), static_cast<uint8_t>('A' + i)}) {
      table[c].primary[0] = letter_weight[i];
      table[c].upper = c < 'a';
    }
  }
  for (const LetterForm& form : kLetterForms) {
    for (uint8_t c : {form.byte, to_upper(form.byte)}) {
      table[c].primary[0] = letter_weight[form.base[0] - 'a'];
      if (form.base[1]) table[c].primary[1] = letter_weight[form.base[1] - 'a'];
      table[c].diacritic = form.diacritic;
      table[c].upper = c != form.byte;
    }
  }
  uint8_t special = 1;
  for (const char* p = kSpecialOrder; *p; ++p) table[static_cast<uint8_t>(*p)].special = special++;
  return table;
}

constexpr std::array<Collation, 256> kCollation = build_collation();

// Walks the weighted units of a text at one level, expanding ligatures into two units.
class UnitWalk {
 public:
  UnitWalk(const char* text, int length) : text_(reinterpret_cast<const uint8_t*>(text)), length_(length) {
    settle();
  }
  bool done() const { return index_ >= length_; }
  const Collation& unit() const { return kCollation[text_[index_]]; }
  uint16_t primary() const { return unit().primary[half_]; }
  void next() {
    if (half_ == 0 && unit().primary[1] != 0) {
      half_ = 1;
      return;
    }
    half_ = 0;
    ++index_;
    settle();
  }

 private:
  void settle() {
    while (index_ < length_ && kCollation[text_[index_]].primary[0] == 0) ++index_;
  }
  const uint8_t* text_;
  int length_;
  int index_ = 0;
  int half_ = 0;
};

int sign(int difference) { return (difference > 0) - (difference < 0); }

template <typename Weight>
int compare_level(const char* a, int a_length, const char* b, int b_length, Weight weight) {
  UnitWalk x(a, a_length), y(b, b_length);
  for (; !x.done() && !y.done(); x.next(), y.next()) {
    int difference = weight(x) - weight(y);
    if (difference != 0) return sign(difference);
  }
  return sign(static_cast<int>(!x.done()) - static_cast<int>(!y.done()));
}

int next_special(const char* text, int length, int from) {
  while (from < length && kCollation[static_cast<uint8_t>(text[from])].special == 0) ++from;
  return from;
}

// Specials compare by position (a later one weighs less), then by their own weight; more weighs more.
int compare_specials(const char* a, int a_length, const char* b, int b_length) {
  int i = next_special(a, a_length, 0), j = next_special(b, b_length, 0);
  for (; i < a_length && j < b_length;
       i = next_special(a, a_length, i + 1), j = next_special(b, b_length, j + 1)) {
    if (i != j) return i > j ? -1 : 1;
    int difference =
        kCollation[static_cast<uint8_t>(a[i])].special - kCollation[static_cast<uint8_t>(b[j])].special;
    if (difference != 0) return sign(difference);
  }
  return sign(static_cast<int>(i < a_length) - static_cast<int>(j < b_length));
}

}  // namespace

bool is_dbcs_lead_byte(uint8_t) { return false; }

void char_upper_buff(char* text, uint32_t length) {
  for (uint32_t i = 0; i < length; ++i) text[i] = static_cast<char>(to_upper(static_cast<uint8_t>(text[i])));
}

void char_lower_buff(char* text, uint32_t length) {
  for (uint32_t i = 0; i < length; ++i) text[i] = static_cast<char>(to_lower(static_cast<uint8_t>(text[i])));
}

uint16_t char_type_c1(uint8_t byte) { return kCharTypes[byte]; }

int compare_string(bool ignore_case, const char* a, int a_length, const char* b, int b_length) {
  if (a_length < 0 || b_length < 0 || (a_length > 0 && !a) || (b_length > 0 && !b)) return 0;
  int result = compare_level(a, a_length, b, b_length, [](const UnitWalk& w) { return w.primary(); });
  if (result == 0)
    result = compare_level(a, a_length, b, b_length, [](const UnitWalk& w) { return w.unit().diacritic; });
  if (result == 0 && !ignore_case) {
    result = compare_level(a, a_length, b, b_length, [](const UnitWalk& w) { return w.unit().upper; });
  }
  if (result == 0) result = compare_specials(a, a_length, b, b_length);
  return result + 2;
}

}  // namespace ql::platform
