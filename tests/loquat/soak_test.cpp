// A long run of box clicks across lessons: the program's live objects, pool, memory and threads end where
// they were when the first lesson opened. QL_SOAK_CLICKS sets the number of clicks (200 by default;
// QL_SOAK_CLICKS=10000 for a long run).
#include "loquat_fixture.h"

#include <strings.h>

#include <cstdlib>

namespace ql::loquat_tests {
namespace {

// Wine answers other processes' memory and handle counts with 0, so the figures come from the Linux side:
// the newest process whose command line is the program this test started.
struct Usage {
  long data_kb = -1, rss_kb = -1, threads = -1;
};

std::string read_text(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
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

Usage usage_of(const std::string& program) {
  Usage usage;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA("Z:\\proc\\*", &entry);
  if (find == INVALID_HANDLE_VALUE) return usage;
  long newest = -1;
  do {
    const long pid = std::strtol(entry.cFileName, nullptr, 10);
    if (pid <= newest) continue;
    const std::string folder = std::string("Z:\\proc\\") + entry.cFileName + "\\";
    if (strncasecmp(read_text(folder + "cmdline").c_str(), program.c_str(), program.size()) != 0) continue;
    const std::string status = "\n" + read_text(folder + "status");
    newest = pid;
    usage = {field_of(status, "VmData"), field_of(status, "VmRSS"), field_of(status, "Threads")};
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return usage;
}

// The runtime's object dump, asked for from outside: the pool's bytes in use and the live objects.
struct Objects {
  long pool_bytes = -1, live = -1;
};

class LoquatSoak : public Loquat {
 protected:
  void SetUp() override {
    dump_ = harness::make_temp_folder("loquat-objects") + "objects.txt";
    SetEnvironmentVariableA("QL_OBJECT_DUMP", dump_.c_str());  // the program inherits it
    Loquat::SetUp();
    SetEnvironmentVariableA("QL_OBJECT_DUMP", nullptr);
  }

  Objects objects() {
    DeleteFileA(dump_.c_str());
    PostThreadMessageA(GetWindowThreadProcessId(main_, nullptr), RegisterWindowMessageA("QuilletDumpObjects"),
                       0, 0);
    std::string text;
    wait_until([&] { return (text = read_text(dump_)).find(" objects\r\n") != std::string::npos; },
               "the object dump");
    Objects figures;
    figures.pool_bytes = std::strtol(text.c_str(), nullptr, 10);
    size_t line = text.find('\n');
    if (line != std::string::npos) figures.live = std::strtol(text.c_str() + line + 1, nullptr, 10);
    return figures;
  }

  std::string dump_;
};

TEST_F(LoquatSoak, ALongRunOfClicksLeavesObjectsMemoryAndThreadsWhereTheyWere) {
  const char* asked = std::getenv("QL_SOAK_CLICKS");
  const long clicks_wanted = asked ? std::strtol(asked, nullptr, 10) : 200;
  const char* lessons[][2] = {{"Articles", "16 All Articles"},
                              {"Proverbs", "3 Intermediate"},
                              {"Articles", "6  Practice"},
                              {"Proverbs", "1 Elementary"}};
  // The figures are compared in one state, the first lesson just opened: at the start of the run, before any
  // click, and at its end, after every lesson kind of the run has been taken. The click of a wrong answer is
  // heard once first, so that the sound device is open in both.
  ASSERT_TRUE(choose({"File", "Clicking Off"}));
  ASSERT_TRUE(choose({"File", "Clicking On"}, 15000));
  ASSERT_TRUE(choose({lessons[0][0], lessons[0][1]}));
  const Objects before = objects();
  const Usage warm = usage_of(program_path());
  Objects settled;  // once every lesson kind has been taken: the pool then holds their caches too
  for (int round = 0; round <= 4 || clicks_ < clicks_wanted; ++round) {
    const auto& lesson = lessons[round % 4];
    ASSERT_TRUE(round == 0 || choose({lesson[0], lesson[1]}));
    if (round == 4) settled = objects();
    ASSERT_TRUE(click_first_box());
    // Every item faulted once and then answered: wrong clicks and right ones, redraws and new items.
    for (int item = 0; item < 10 && clicks_ < clicks_wanted; ++item) {
      ASSERT_TRUE(answer_item(true));
      if (pool().empty()) break;
      ASSERT_TRUE(click_first_box());
    }
  }
  ASSERT_TRUE(choose({lessons[0][0], lessons[0][1]}));
  const Objects after = objects();
  const Usage end = usage_of(program_path());
  printf(
      "after %ld clicks: live objects %ld -> %ld, pool %ld -> %ld -> %ld bytes; data %ld -> %ld kB, resident "
      "%ld -> "
      "%ld kB, threads %ld -> %ld\n",
      clicks_, before.live, after.live, before.pool_bytes, settled.pool_bytes, after.pool_bytes, warm.data_kb,
      end.data_kb, warm.rss_kb, end.rss_kb, warm.threads, end.threads);
  ASSERT_GT(before.live, 0) << "no object dump came";
  EXPECT_EQ(after.live, before.live) << "objects are left behind";
  // The first round of lessons fills caches once (about 2.5 kB, as much after 600 clicks as after 200); the
  // pool also holds the texts the window keeps of the last item shown, which differ from run to run.
  EXPECT_LT(settled.pool_bytes, before.pool_bytes + 4096) << "the first round of lessons keeps too much";
  EXPECT_LT(after.pool_bytes, settled.pool_bytes + 2048) << "pool memory is left behind";
  ASSERT_GT(warm.data_kb, 0) << "the program's memory cannot be read";
  EXPECT_LT(end.data_kb, warm.data_kb + 4096) << "memory grows with clicks";
  EXPECT_EQ(end.threads, warm.threads);
}

}  // namespace
}  // namespace ql::loquat_tests
