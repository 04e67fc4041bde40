// Byte spans of Windows-1252 text and the operations of the language's string library that the lessons'
// rules lean on: field splitting with the runtime's results, searching, and case folding.
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace loquat::rules {

struct Span {
  const char* data = nullptr;
  int size = 0;

  constexpr Span() = default;
  constexpr Span(const char* bytes, int length) : data(bytes), size(length) {}
  template <size_t N>
  constexpr Span(const char (&literal)[N]) : data(literal), size(static_cast<int>(N - 1)) {}

  constexpr bool empty() const { return size == 0; }
  constexpr char operator[](int i) const { return data[i]; }
  constexpr char front() const { return data[0]; }
  constexpr char back() const { return data[size - 1]; }
  // The bytes from `start`, at most `length` of them; clipped to the span.
  constexpr Span sub(int start, int length = 0x7FFFFFFF) const {
    if (start < 0) start = 0;
    if (start > size) start = size;
    if (length > size - start) length = size - start;
    if (length < 0) length = 0;
    return Span(data + start, length);
  }
};

bool equal(Span a, Span b);
bool equal_ignoring_case(Span a, Span b);  // Windows-1252 letters, as "=" compares
char to_lower(char c);
char to_upper(char c);
bool is_upper(char c);
bool is_blank(char c);  // space, TAB or no-break space

// The first position of `part` from `start`, or -1; an empty part is never found.
int find(Span text, Span part, int start = 0);
int find(Span text, char c, int start = 0);
int count_of(Span text, char c);

// Fields as the runtime's StringCountFields and StringNthField give them: an empty text has none, and a
// field beyond the last is empty.
int count_fields(Span text, Span separator);
Span nth_field(Span text, Span separator, int n);  // 1-based

// Walks the fields of a text in order.
class Fields {
 public:
  Fields(Span text, Span separator) : text_(text), separator_(separator), done_(text.empty()) {}
  // The next field into `field`; false after the last.
  bool next(Span& field);

 private:
  Span text_, separator_;
  int start_ = 0;
  bool done_;
};

// A decimal number of at most `digits` digits and nothing else; -1 otherwise.
int whole_number(Span text, int digits);

}  // namespace loquat::rules
