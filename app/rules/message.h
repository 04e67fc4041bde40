// A problem's message built in a fixed buffer: the rules run where there is no heap to grow a string.
#pragma once

#include "span.h"

namespace loquat::rules {

class Message {
 public:
  static constexpr int kCapacity = 1024;  // a longer text is cut, ending in "..."

  Message& operator<<(Span text);
  Message& operator<<(const char* text);
  Message& operator<<(int number);
  // The text between single quotes.
  Message& quoted(Span text);

  Span text() const { return Span(buffer_, size_); }

 private:
  void put(char c);
  char buffer_[kCapacity];
  int size_ = 0;
  bool cut_ = false;
};

}  // namespace loquat::rules
