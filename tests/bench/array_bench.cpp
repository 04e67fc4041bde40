// Sorts 100,000 strings with the runtime's array sort (locale order through the system) and with std::sort
// on std::string (byte order), and prints both times and their ratio. A third figure runs std::sort with
// the runtime's locale comparison, separating the cost of the algorithm from that of comparing.
#include <stdio.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "quillet/arrays.h"
#include "quillet/strings.h"
#include "values/string.h"

namespace {

constexpr int kStrings = 100000;
constexpr int kRounds = 5;  // the best round counts

using Clock = std::chrono::steady_clock;

double ms_since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Words of 4 to 15 letters, one in eight capitalised, with repeats, as a word list would have them.
std::vector<std::string> make_words() {
  std::mt19937 random(20240611);
  std::vector<std::string> words;
  words.reserve(kStrings);
  for (int i = 0; i < kStrings; ++i) {
    if (i > 0 && random() % 16 == 0) {
      words.push_back(words[random() % words.size()]);
      continue;
    }
    std::string w(4 + random() % 12, 'a');
    for (char& c : w) c = static_cast<char>('a' + random() % 26);
    if (random() % 8 == 0) w[0] = static_cast<char>(w[0] - 'a' + 'A');
    words.push_back(std::move(w));
  }
  return words;
}

double runtime_sort_ms(const std::vector<QlString>& source, bool& ordered) {
  QlArray* array = RuntimeCreateArray();
  RuntimeArrayCreateAddIndex(array, 0, kStrings - 1);
  for (int i = 0; i < kStrings; ++i) RuntimeDirectWriteStringArray(array, i, source[i]);
  auto start = Clock::now();
  RuntimeStringArraySort(array);
  double ms = ms_since(start);
  QlString previous = RuntimeDirectReadStringArray(array, 0);
  for (int i = 1; i < kStrings; ++i) {
    QlString next = RuntimeDirectReadStringArray(array, i);
    if (StringStrCompare(previous, next, 1) > 0) ordered = false;
    RuntimeUnlockString(previous);
    previous = next;
  }
  RuntimeUnlockString(previous);
  RuntimeDisposeStringArray(array);
  return ms;
}

double std_sort_ms(const std::vector<std::string>& source) {
  std::vector<std::string> copy = source;
  auto start = Clock::now();
  std::sort(copy.begin(), copy.end());
  return ms_since(start);
}

double std_sort_locale_ms(const std::vector<QlString>& source) {
  std::vector<QlString> copy = source;
  auto start = Clock::now();
  std::sort(copy.begin(), copy.end(), [](QlString a, QlString b) { return StringStrCompare(a, b, 1) < 0; });
  return ms_since(start);
}

}  // namespace

int main() {
  std::vector<std::string> words = make_words();
  std::vector<QlString> strings;
  for (const std::string& w : words) strings.push_back(ql::string_from_cstr(w.c_str()));

  bool ordered = true;
  double runtime_best = 1e30, std_best = 1e30, locale_best = 1e30;
  for (int round = 0; round < kRounds; ++round) {
    runtime_best = std::min(runtime_best, runtime_sort_ms(strings, ordered));
    std_best = std::min(std_best, std_sort_ms(words));
    locale_best = std::min(locale_best, std_sort_locale_ms(strings));
  }
  for (QlString s : strings) RuntimeUnlockString(s);

  printf("sorting %d strings of 4 to 15 letters, best of %d rounds\n", kStrings, kRounds);
  printf("runtime sort (locale order):            %8.1f ms%s\n", runtime_best,
         ordered ? "" : "  NOT ORDERED");
  printf("std::sort on std::string (byte order):  %8.1f ms\n", std_best);
  printf("std::sort with the locale comparison:   %8.1f ms\n", locale_best);
  printf("runtime / std::sort on std::string:     %8.2fx\n", runtime_best / std_best);
  printf("runtime / std::sort, same comparison:   %8.2fx\n", runtime_best / locale_best);
  return ordered ? 0 : 1;
}
