// A long run of box clicks across lessons: the program's memory and threads stay where they were.
// QL_SOAK_CLICKS sets the number of clicks (200 by default; QL_SOAK_CLICKS=10000 for a long run).
#include "loquat_fixture.h"

#include <cstdlib>

namespace ql::loquat_tests {
namespace {

// Wine answers other processes' memory and handle counts with 0, so the figures come from the Linux side:
// the process whose command line names loquat.exe (the one this test started: tests run one at a time).
struct Usage {
  long data_kb = -1, rss_kb = -1, threads = -1;
};

std::string read_text(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  CloseHandle(file);
  return text;
}

long field_of(const std::string& status, const std::string& name) {
  size_t at = status.find("\n" + name + ":");
  return at == std::string::npos ? -1 : std::strtol(status.c_str() + at + name.size() + 2, nullptr, 10);
}

Usage usage_of_loquat() {
  Usage usage;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA("Z:\\proc\\*", &entry);
  if (find == INVALID_HANDLE_VALUE) return usage;
  long newest = -1;
  do {
    const long pid = std::strtol(entry.cFileName, nullptr, 10);
    if (pid <= newest) continue;
    const std::string folder = std::string("Z:\\proc\\") + entry.cFileName + "\\";
    if (read_text(folder + "cmdline").find("loquat.exe") == std::string::npos) continue;
    const std::string status = "\n" + read_text(folder + "status");
    newest = pid;
    usage = {field_of(status, "VmData"), field_of(status, "VmRSS"), field_of(status, "Threads")};
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return usage;
}

TEST_F(Loquat, ALongRunOfClicksLeavesMemoryAndThreadsWhereTheyWere) {
  const char* asked = std::getenv("QL_SOAK_CLICKS");
  const long clicks_wanted = asked ? std::strtol(asked, nullptr, 10) : 200;
  const char* lessons[][2] = {{"Articles", "16 All Articles"}, {"Proverbs", "3 Intermediate"},
                              {"Articles", "6  Practice"}, {"Proverbs", "1 Elementary"}};
  Usage warm;
  for (int round = 0; clicks_ < clicks_wanted; ++round) {
    const auto& lesson = lessons[round % 4];
    ASSERT_TRUE(choose({lesson[0], lesson[1]}));
    ASSERT_TRUE(click_first_box());
    // Every item faulted once and then answered: wrong clicks and right ones, redraws and new items.
    for (int item = 0; item < 30 && clicks_ < clicks_wanted; ++item) {
      ASSERT_TRUE(answer_item(true));
      if (pool().empty()) break;
      ASSERT_TRUE(click_first_box());
    }
    if (round == 0) warm = usage_of_loquat();  // after the first lesson: caches and fonts are made
  }
  Usage end = usage_of_loquat();
  printf("after %ld clicks: data %ld -> %ld kB, resident %ld -> %ld kB, threads %ld -> %ld\n", clicks_,
         warm.data_kb, end.data_kb, warm.rss_kb, end.rss_kb, warm.threads, end.threads);
  ASSERT_GT(warm.data_kb, 0) << "the program's memory cannot be read";
  EXPECT_LT(end.data_kb, warm.data_kb + 4096) << "memory grows with clicks";
  EXPECT_EQ(end.threads, warm.threads);
}

}  // namespace
}  // namespace ql::loquat_tests
