// Times the string library's field and replace functions against straightforward std::string code doing
// the same work, and prints the figures. Field access follows the lessons' way of reading a table: a line
// by StringNthField at carriage returns, then a field of it at tabs.
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "quillet/string_library.h"
#include "quillet/strings.h"
#include "values/string.h"
#include "values/string_ref.h"

namespace {

using ql::StringRef;

constexpr int kLines = 441;
constexpr int kFields = 9;
constexpr int kRounds = 5;  // the best round counts

StringRef runtime_string(const std::string& text) {
  return StringRef(ql::string_from_bytes(text.data(), static_cast<int32_t>(text.size())));
}

template <typename Work>
double best_ms(Work work) {
  double best = 1e30;
  for (int round = 0; round < kRounds; ++round) {
    auto start = std::chrono::steady_clock::now();
    work();
    std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    best = std::min(best, elapsed.count());
  }
  return best;
}

// 441 lines of 9 tab-separated fields, 50,000 bytes: exercise rows of words, each line's last field
// padded so that the lines share the bytes evenly.
std::string make_table() {
  static const char* const kWords[] = {"the", "apple", "an",      "umbrella", "some",  "water",
                                       "any", "idea",  "proverb", "listen",   "right", "light"};
  constexpr size_t kTableBytes = 50000;
  std::string table;
  unsigned seed = 12345;
  auto next = [&seed] { return (seed = seed * 1103515245 + 12345) >> 16; };
  for (int line = 0; line < kLines; ++line) {
    for (int field = 0; field < kFields; ++field) {
      if (field > 0) table += '\t';
      int words = 1 + static_cast<int>(next() % 3);
      for (int w = 0; w < words; ++w) {
        if (w > 0) table += ' ';
        table += kWords[next() % 12];
      }
    }
    size_t line_end = kTableBytes * static_cast<size_t>(line + 1) / kLines;
    if (table.size() + 1 < line_end) table.append(line_end - 1 - table.size(), 'x');
    table += '\r';
  }
  return table;
}

std::string std_nth_field(const std::string& s, const std::string& separator, int n) {
  size_t begin = 0;
  for (int field = 1; field < n; ++field) {
    size_t at = s.find(separator, begin);
    if (at == std::string::npos) return std::string();
    begin = at + separator.size();
  }
  size_t end = s.find(separator, begin);
  return s.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

std::string std_replace_all(const std::string& s, const std::string& find, const std::string& replacement) {
  std::string result;
  size_t copied = 0;
  for (size_t at = s.find(find); at != std::string::npos; at = s.find(find, copied)) {
    result.append(s, copied, at - copied).append(replacement);
    copied = at + find.size();
  }
  return result.append(s, copied);
}

void bench_fields() {
  std::string table = make_table();
  StringRef runtime_table = runtime_string(table);
  StringRef cr = runtime_string("\r"), tab = runtime_string("\t");
  size_t runtime_bytes = 0, std_bytes = 0;
  double runtime_ms = best_ms([&] {
    runtime_bytes = 0;
    for (int line = 1; line <= kLines; ++line) {
      StringRef row(StringNthField(runtime_table.get(), cr.get(), line));
      for (int field = 1; field <= kFields; ++field) {
        StringRef cell(StringNthField(row.get(), tab.get(), field));
        runtime_bytes += static_cast<size_t>(StringLen(cell.get()));
      }
    }
  });
  double std_ms = best_ms([&] {
    std_bytes = 0;
    for (int line = 1; line <= kLines; ++line) {
      std::string row = std_nth_field(table, "\r", line);
      for (int field = 1; field <= kFields; ++field) std_bytes += std_nth_field(row, "\t", field).size();
    }
  });
  printf("StringNthField, every field of a %zu-byte table of %d lines by %d fields:\n", table.size(), kLines,
         kFields);
  printf("  runtime %.3f ms, std::string %.3f ms, ratio %.2f (field bytes %zu / %zu)\n", runtime_ms, std_ms,
         runtime_ms / std_ms, runtime_bytes, std_bytes);
}

// About size bytes of lower-case prose, so that the case-sensitive std::string code finds the same matches.
std::string make_text(size_t size) {
  static const char* const kSentence = "the learner hears the word and picks the spelling of the sound. ";
  std::string text;
  while (text.size() < size) text += kSentence;
  return text;
}

void bench_replace(const std::string& text, const std::string& find_text,
                   const std::string& replacement_text) {
  StringRef runtime_text = runtime_string(text);
  StringRef find = runtime_string(find_text), replacement = runtime_string(replacement_text);
  int32_t runtime_length = 0;
  double runtime_ms = best_ms([&] {
    StringRef result(StringReplaceAll(runtime_text.get(), find.get(), replacement.get()));
    runtime_length = StringLen(result.get());
  });
  std::string expected;
  double std_ms = best_ms([&] { expected = std_replace_all(text, find_text, replacement_text); });
  StringRef check(StringReplaceAll(runtime_text.get(), find.get(), replacement.get()));
  bool same =
      std::string(StringGetCString(check.get()), static_cast<size_t>(StringLen(check.get()))) == expected;
  printf("StringReplaceAll \"%s\" -> \"%s\" on %zu bytes (result %d bytes, %s):\n", find_text.c_str(),
         replacement_text.c_str(), text.size(), runtime_length, same ? "equal" : "DIFFERENT");
  printf("  runtime %.3f ms (%.2f ns per result byte), std::string %.3f ms, ratio %.2f\n", runtime_ms,
         runtime_ms * 1e6 / runtime_length, std_ms, runtime_ms / std_ms);
}

}  // namespace

int main() {
  bench_fields();
  // The same text at four times the size: linear work takes four times as long, quadratic sixteen.
  bench_replace(make_text(1 << 20), "the", "the other");
  bench_replace(make_text(4 << 20), "the", "the other");
  // Every byte a match, and the replacement holds the search text.
  bench_replace(std::string(1 << 20, 'a'), "a", "aa");
  return 0;
}
