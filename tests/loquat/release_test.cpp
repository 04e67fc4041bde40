// Loquat as it is shipped: bin/release/loquat.exe stripped with a debug link to its symbols, its image behind
// the last section, its icon and its version information.
#include "loquat_fixture.h"

#include <stdint.h>
#include <string.h>

#include <algorithm>
#include <set>

namespace ql::loquat_tests {
namespace {

constexpr COLORREF kFruit = RGB(0xE8, 0x9A, 0x2C);  // the loquat's orange in app/pictures/loquat-motif.sh

uint32_t u32_at(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  if (at + 4 <= bytes.size()) memcpy(&value, bytes.data() + at, 4);
  return value;
}
uint16_t u16_at(const std::string& bytes, size_t at) {
  uint16_t value = 0;
  if (at + 2 <= bytes.size()) memcpy(&value, bytes.data() + at, 2);
  return value;
}

// The sections of a PE file by name (long names resolved through the string table), and where its own
// contents end: past the last section's data and the symbol and string tables.
struct PeLayout {
  struct Section {
    std::string name;
    uint32_t offset = 0;
    uint32_t size = 0;
  };
  std::vector<Section> sections;
  uint32_t symbol_count = 0;
  uint64_t end = 0;

  const Section* find(const std::string& name) const {
    for (const Section& s : sections)
      if (s.name == name) return &s;
    return nullptr;
  }
};

PeLayout layout_of(const std::string& file) {
  PeLayout pe;
  uint32_t header = u32_at(file, 0x3C);
  if (file.size() < 0x40 || u32_at(file, header) != 0x4550) return pe;
  uint16_t count = u16_at(file, header + 6);
  uint32_t symbols = u32_at(file, header + 12);
  pe.symbol_count = u32_at(file, header + 16);
  uint32_t strings = symbols + 18 * pe.symbol_count;
  size_t table = header + 24 + u16_at(file, header + 20);
  for (uint16_t i = 0; i < count; ++i) {
    size_t at = table + 40u * i;
    std::string name(file.data() + at, strnlen(file.data() + at, 8));
    if (symbols && name[0] == '/') name = file.c_str() + strings + std::stoul(name.substr(1));
    PeLayout::Section section{name, u32_at(file, at + 20), u32_at(file, at + 16)};
    pe.end = std::max<uint64_t>(pe.end, uint64_t{section.offset} + section.size);
    pe.sections.push_back(section);
  }
  if (symbols) pe.end = std::max<uint64_t>(pe.end, uint64_t{strings} + u32_at(file, strings));
  return pe;
}

// The CRC-32 a GNU debug link holds (the zlib polynomial).
uint32_t crc32_of(const std::string& bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

// What the About screen and the message boxes show, from their sources: the title picture's "version X.Y"
// and the project's mdi_title.
std::string text_between(const std::string& text, const std::string& before, char end) {
  size_t at = text.find(before);
  if (at == std::string::npos) return {};
  at += before.size();
  return text.substr(at, text.find(end, at) - at);
}
std::string source_file(const char* relative) {
  // Appended in place: gcc 12 wrongly sees the temporary of `a + "/" + b` overrun for some lengths of the
  // source folder's path, and -Werror stops the build in such a folder.
  std::string path = QL_SOURCE_DIR;
  path.append("/").append(relative);
  return harness::read_file(harness::windows_path_of_unix(path));
}

std::wstring version_string(const std::vector<char>& info, const wchar_t* name) {
  void* value = nullptr;
  UINT length = 0;
  std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueW(info.data(), path.c_str(), &value, &length) || length == 0) return {};
  return static_cast<const wchar_t*>(value);
}

// The pixels of an icon drawn on white that are close to the fruit's orange.
int fruit_pixels(HICON icon, int size) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all = {0, 0, size, size};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
  int count = 0;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) count += colors_close(GetPixel(dc, x, y), kFruit, 40) ? 1 : 0;
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return count;
}

std::string shipped_folder() { return harness::program_folder() + "release\\"; }
std::string shipped_program() { return shipped_folder() + "loquat.exe"; }

TEST(LoquatRelease, TheFileIsStrippedLinksItsSymbolsAndKeepsItsImageBehindTheLastSection) {
  std::string program = harness::read_file(shipped_program());
  PeLayout pe = layout_of(program);
  ASSERT_FALSE(pe.sections.empty()) << shipped_program() << " is not a PE file";
  for (const PeLayout::Section& section : pe.sections)
    EXPECT_NE(section.name.rfind(".debug", 0), 0u) << "debug section " << section.name << " was shipped";
  EXPECT_EQ(pe.symbol_count, 0u) << "the COFF symbol table was shipped";

  // The debug link names the symbol file beside the program and holds its CRC, as debuggers check it.
  const PeLayout::Section* link = pe.find(".gnu_debuglink");
  ASSERT_TRUE(link);
  std::string linked = program.c_str() + link->offset;
  EXPECT_EQ(linked, "loquat.exe.debug");
  std::string symbols = harness::read_file(shipped_folder() + linked);
  uint32_t crc_at = link->offset + ((static_cast<uint32_t>(linked.size()) + 4) & ~3u);
  EXPECT_EQ(u32_at(program, crc_at), crc32_of(symbols));
  PeLayout debug = layout_of(symbols);
  EXPECT_TRUE(debug.find(".debug_info") && debug.find(".debug_line")) << "the symbol file has no line tables";
  EXPECT_GT(debug.symbol_count, 1000u);

  // The PICKLE resource points past everything the stripped runtime holds.
  HMODULE file = LoadLibraryExA(shipped_program().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_TRUE(file);
  HRSRC pickle = FindResourceA(file, MAKEINTRESOURCEA(101), "PICKLE");
  ASSERT_TRUE(pickle);
  ASSERT_EQ(SizeofResource(file, pickle), 8u);
  uint32_t image_offset = 0;
  memcpy(&image_offset, LockResource(LoadResource(file, pickle)), 4);
  EXPECT_GE(image_offset, pe.end);
  EXPECT_LT(image_offset, program.size());
  FreeLibrary(file);
}

// The resource names of the program's group icons, in the order the file lists them (a CALLBACK function: on
// i386 a lambda does not convert to the stdcall type).
BOOL CALLBACK collect_group(HMODULE, LPCSTR, LPSTR name, LONG_PTR found) {
  reinterpret_cast<std::vector<LPSTR>*>(found)->push_back(IS_INTRESOURCE(name) ? name : nullptr);
  return TRUE;
}

TEST(LoquatRelease, TheFileCarriesTheIconFirstAndTheVersionTheAboutScreenShows) {
  HMODULE file = LoadLibraryExA(shipped_program().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_TRUE(file);
  // Explorer shows the first group icon; it must be id 1, the one the window classes load, in every size.
  std::vector<LPSTR> groups;
  EnumResourceNamesA(file, RT_GROUP_ICON, collect_group, reinterpret_cast<LONG_PTR>(&groups));
  ASSERT_FALSE(groups.empty()) << "the program has no icon";
  EXPECT_EQ(groups[0], MAKEINTRESOURCEA(1));
  HRSRC group = FindResourceA(file, MAKEINTRESOURCEA(1), RT_GROUP_ICON);
  ASSERT_TRUE(group);
  const uint8_t* directory = static_cast<const uint8_t*>(LockResource(LoadResource(file, group)));
  std::set<int> sizes;
  for (int i = 0, count = directory[4] | directory[5] << 8; i < count; ++i) {
    const uint8_t* entry = directory + 6 + 14 * i;
    sizes.insert(entry[0] ? entry[0] : 256);
    EXPECT_EQ(entry[6] | entry[7] << 8, 32) << "icon entry " << i << " is not 32 bits per pixel";
  }
  EXPECT_EQ(sizes, (std::set<int>{16, 32, 48, 256}));
  HICON large = static_cast<HICON>(LoadImageA(file, MAKEINTRESOURCEA(1), IMAGE_ICON, 48, 48, 0));
  ASSERT_TRUE(large);
  EXPECT_GT(fruit_pixels(large, 48), 200) << "the icon does not show the fruit";
  DestroyIcon(large);
  FreeLibrary(file);

  std::string version = text_between(source_file("app/pictures/draw-pictures.sh"), "\"version ", '"');
  ASSERT_FALSE(version.empty()) << "the title picture's script draws no version";
  EXPECT_EQ(text_between(source_file("app/loquat.toml"), "mdi_title = \"", '"'), "Loquat " + version);
  std::wstring wide_version(version.begin(), version.end());

  std::string narrow_path = shipped_program();
  std::wstring path(narrow_path.begin(), narrow_path.end());
  DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
  ASSERT_GT(size, 0u) << "the program has no version information";
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  int major = std::stoi(version), minor = std::stoi(version.substr(version.find('.') + 1));
  EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(minor, major)));
  EXPECT_EQ(fixed->dwProductVersionMS, static_cast<DWORD>(MAKELONG(minor, major)));
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(version_string(info, L"ProductName"), L"Loquat");
  EXPECT_EQ(version_string(info, L"FileDescription"), L"Loquat English lessons");
  EXPECT_EQ(version_string(info, L"ProductVersion"), wide_version);
  EXPECT_EQ(version_string(info, L"FileVersion"), wide_version);
  EXPECT_EQ(version_string(info, L"OriginalFilename"), L"loquat.exe");
  EXPECT_EQ(version_string(info, L"LegalCopyright").rfind(L"Copyright \u00A9 2026 ", 0), 0u);
}

// The delivered program (no invariant checks, stripped) takes a lesson of each kind as the checked one does.
class DeliveredLoquat : public Loquat {
 protected:
  std::string program_path() const override { return shipped_program(); }
};

TEST_F(DeliveredLoquat, TakesAnArticlesAndAProverbsLessonToTheirScores) {
  ASSERT_TRUE(choose({"Articles", "1 Basic Rules"}));
  const int items = static_cast<int>(pool().size());
  ASSERT_GT(items, 0);
  EXPECT_EQ(take_lesson(), items);
  expect_title("Articles 1 - THE BASIC RULE - Perfect Score");
  ASSERT_TRUE(choose({"Proverbs", "1 Elementary"}));
  const int proverbs = static_cast<int>(pool().size());
  ASSERT_GT(proverbs, 0);
  EXPECT_EQ(take_lesson(), proverbs);
}

}  // namespace
}  // namespace ql::loquat_tests
