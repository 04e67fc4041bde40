// Span comparison, searching, fields and the Windows-1252 case mapping.
#include "span.h"

namespace loquat::rules {

bool is_upper(char ch) {
  uint8_t c = static_cast<uint8_t>(ch);
  return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || c == 0x8A || c == 0x8C ||
         c == 0x8E || c == 0x9F;
}

namespace {

bool is_lower(uint8_t c) {
  return (c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) || c == 0x9A || c == 0x9C ||
         c == 0x9E || c == 0xFF;
}

}  // namespace

char to_upper(char ch) {
  uint8_t c = static_cast<uint8_t>(ch);
  if (!is_lower(c)) return ch;
  if (c == 0xFF) return static_cast<char>(0x9F);
  if (c >= 0x9A && c <= 0x9E) return static_cast<char>(c - 0x10);
  return static_cast<char>(c - 0x20);
}

char to_lower(char ch) {
  uint8_t c = static_cast<uint8_t>(ch);
  if (!is_upper(ch)) return ch;
  if (c == 0x9F) return static_cast<char>(0xFF);
  if (c >= 0x8A && c <= 0x8E) return static_cast<char>(c + 0x10);
  return static_cast<char>(c + 0x20);
}

bool is_blank(char c) { return c == ' ' || c == '\t' || static_cast<uint8_t>(c) == 0xA0; }

bool equal(Span a, Span b) {
  if (a.size != b.size) return false;
  for (int i = 0; i < a.size; ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

bool equal_ignoring_case(Span a, Span b) {
  if (a.size != b.size) return false;
  for (int i = 0; i < a.size; ++i) {
    if (to_lower(a[i]) != to_lower(b[i])) return false;
  }
  return true;
}

int find(Span text, Span part, int start) {
  if (part.empty()) return -1;
  for (int i = start < 0 ? 0 : start; i + part.size <= text.size; ++i) {
    if (equal(text.sub(i, part.size), part)) return i;
  }
  return -1;
}

int find(Span text, char c, int start) {
  for (int i = start < 0 ? 0 : start; i < text.size; ++i) {
    if (text[i] == c) return i;
  }
  return -1;
}

int count_of(Span text, char c) {
  int count = 0;
  for (int i = 0; i < text.size; ++i) count += text[i] == c ? 1 : 0;
  return count;
}

bool Fields::next(Span& field) {
  if (done_) return false;
  int at = find(text_, separator_, start_);
  if (at < 0) {
    field = text_.sub(start_);
    done_ = true;
  } else {
    field = text_.sub(start_, at - start_);
    start_ = at + separator_.size;
  }
  return true;
}

int count_fields(Span text, Span separator) {
  Fields fields(text, separator);
  int count = 0;
  for (Span field; fields.next(field);) ++count;
  return count;
}

Span nth_field(Span text, Span separator, int n) {
  Fields fields(text, separator);
  int i = 0;
  for (Span field; fields.next(field);) {
    if (++i == n) return field;
  }
  return Span();
}

int whole_number(Span text, int digits) {
  if (text.empty() || text.size > digits) return -1;
  int value = 0;
  for (int i = 0; i < text.size; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace loquat::rules
