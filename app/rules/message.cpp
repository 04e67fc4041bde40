// Appending texts and numbers to a message.
#include "message.h"

namespace loquat::rules {

void Message::put(char c) {
  if (cut_) return;
  if (size_ < kCapacity - 3) {
    buffer_[size_++] = c;
    return;
  }
  cut_ = true;
  for (int i = 0; i < 3; ++i) buffer_[size_++] = '.';
}

Message& Message::operator<<(Span text) {
  for (int i = 0; i < text.size; ++i) put(text[i]);
  return *this;
}

Message& Message::operator<<(const char* text) {
  while (*text) put(*text++);
  return *this;
}

Message& Message::operator<<(int number) {
  char digits[12];
  int count = 0;
  // Negative numbers are counted down so that the most negative one has no positive twin to overflow.
  bool negative = number < 0;
  do {
    int digit = number % 10;
    digits[count++] = static_cast<char>('0' + (negative ? -digit : digit));
    number /= 10;
  } while (number != 0);
  if (negative) put('-');
  while (count > 0) put(digits[--count]);
  return *this;
}

Message& Message::quoted(Span text) {
  put('\'');
  *this << text;
  put('\'');
  return *this;
}

}  // namespace loquat::rules
