// The font list: the system's fonts in the order reported, read once (a font added later is not seen), and
// names past the end raising OutOfBoundsException.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "objects/objects.h"
#include "quillet/controls.h"
#include "support/ui_test_window.h"
#include "unit/objects/catch_raise_fixture.h"
#include "unit/objects/object_test_support.h"

namespace ql::testing {
namespace {

int CALLBACK collect(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM list) {
  reinterpret_cast<std::vector<std::string>*>(list)->push_back(font->lfFaceName);
  return 1;
}

std::vector<std::string> enumerate_now() {
  std::vector<std::string> faces;
  HDC screen = GetDC(nullptr);
  EnumFontsA(screen, nullptr, collect, reinterpret_cast<LPARAM>(&faces));
  ReleaseDC(nullptr, screen);
  return faces;
}

// A copy of an installed TrueType font whose family is renamed (a name of the same length, in the name
// table's single-byte and UTF-16 forms), so the system takes it for a font it has not seen.
std::string renamed_font_file(const std::string& family, const std::string& renamed) {
  for (const char* path : {"Z:\\usr\\share\\fonts\\truetype\\liberation2\\LiberationSans-Regular.ttf",
                           "Z:\\usr\\share\\fonts\\truetype\\liberation\\LiberationSans-Regular.ttf"}) {
    std::ifstream in(path, std::ios::binary);
    if (!in) continue;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto replace_all = [&](const std::string& from, const std::string& to) {
      for (size_t at = bytes.find(from); at != std::string::npos; at = bytes.find(from, at + to.size()))
        bytes.replace(at, from.size(), to);
    };
    auto wide = [](const std::string& s) {
      std::string w;
      for (char c : s) w += std::string(1, '\0') + c;
      return w;
    };
    replace_all(family, renamed);
    replace_all(wide(family), wide(renamed));
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    std::string out_path = std::string(folder) + "ql_font_list_test.ttf";
    std::ofstream(out_path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return out_path;
  }
  return {};
}

void name_at_count() { getFontName(getFontCount()); }
void name_before_the_start() { getFontName(-1); }

TEST(FontList, ReportedOrderReadOnceAndNamesOutsideRaise) {
  define_ui_test_classes();
  const int32_t count = getFontCount();
  std::vector<std::string> system = enumerate_now();
  ASSERT_GT(count, 0);
  ASSERT_EQ(static_cast<size_t>(count), system.size());
  for (int32_t i = 0; i < count; ++i) EXPECT_EQ(take_text(getFontName(i)), system[i]) << i;

  InstalledClasses installed({builtin_class("RuntimeException")});
  for (void (*raiser)() : {name_at_count, name_before_the_start}) {
    QlObject* caught = catch_raise_fixture(raiser);
    ASSERT_NE(caught, nullptr);
    EXPECT_EQ(class_of(caught), builtin_class("OutOfBoundsException"));
    release_object(caught);
  }

  const std::string renamed = "QlTestFontName1";
  std::string file = renamed_font_file("Liberation Sans", renamed);
  if (file.empty()) GTEST_SKIP() << "no Liberation Sans to make a new font from";
  ASSERT_GT(AddFontResourceExA(file.c_str(), FR_PRIVATE, nullptr), 0);
  std::vector<std::string> now = enumerate_now();
  bool system_sees_it = std::find(now.begin(), now.end(), renamed) != now.end();
  EXPECT_TRUE(system_sees_it) << "the system did not take the renamed font";
  EXPECT_EQ(getFontCount(), count);
  for (int32_t i = 0; i < getFontCount(); ++i) EXPECT_NE(take_text(getFontName(i)), renamed);
  RemoveFontResourceExA(file.c_str(), FR_PRIVATE, nullptr);
  DeleteFileA(file.c_str());
}

}  // namespace
}  // namespace ql::testing
