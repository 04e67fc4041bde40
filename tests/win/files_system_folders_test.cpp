// Folder items the system supplies: special folders, drives, temporary files and the application's folder;
// scratch files; file times through the Date routines.
#include <windows.h>
// Headers that build on windows.h follow it.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "files/file_object.h"
#include "files/other_layers.h"
#include "program_runner.h"
#include "unit/files/file_test_support.h"

namespace ql::testing {
namespace {

std::string path_of(QlObject* item) { return take(fileAbsolutePathGetter(item)); }

std::string system_text(UINT (*read)(LPSTR, UINT)) {
  char buffer[1024] = {};
  UINT n = read(buffer, sizeof buffer);
  return std::string(buffer, n);
}

UINT windows_directory(LPSTR buffer, UINT size) { return GetWindowsDirectoryA(buffer, size); }
UINT system_directory(LPSTR buffer, UINT size) { return GetSystemDirectoryA(buffer, size); }
UINT temp_path(LPSTR buffer, UINT size) { return GetTempPathA(size, buffer); }

TEST(SystemFolders, SpecialFoldersNameTheSystemsFolders) {
  Owned preferences(getPreferencesFolder());
  EXPECT_EQ(path_of(preferences.get()), system_text(windows_directory));
  Owned system(getSystemFolder());
  EXPECT_EQ(path_of(system.get()), system_text(system_directory));
  Owned extensions(getExtensionsFolder());
  EXPECT_EQ(path_of(extensions.get()), system_text(system_directory));
  Owned temporary(getTemporaryItemsFolder());
  std::string temp = system_text(temp_path);
  EXPECT_EQ(path_of(temporary.get()), temp);
  EXPECT_TRUE(temp.ends_with("\\"));
  EXPECT_TRUE(fileDirectoryGetter(temporary.get()));

  char desktop[MAX_PATH] = {};
  ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop), S_OK);
  Owned desktop_item(getDesktopFolder());
  EXPECT_EQ(path_of(desktop_item.get()), desktop);
  char fonts[MAX_PATH] = {};
  ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_FONTS, nullptr, 0, fonts), S_OK);
  Owned fonts_item(getFontsFolder());
  EXPECT_EQ(path_of(fonts_item.get()), fonts);
  // The recycle bin and the control panel have no file system path.
  EXPECT_EQ(getTrashFolder(), nullptr);
  EXPECT_EQ(getControlPanelsFolder(), nullptr);
  EXPECT_EQ(getShutdownItemsFolder(), nullptr);
  EXPECT_EQ(folderFindFolder(preferences.get(), 4), nullptr);
}

TEST(SystemFolders, TheApplicationDataFolderFollowsTheEnvironment) {
  char saved[1024] = {};
  DWORD had = GetEnvironmentVariableA("APPDATA", saved, sizeof saved);
  ASSERT_TRUE(SetEnvironmentVariableA("APPDATA", nullptr));
  char roaming[MAX_PATH] = {};
  ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, roaming), S_OK);
  Owned shell(getApplicationDataFolder());
  EXPECT_EQ(path_of(shell.get()), roaming);
  ASSERT_TRUE(SetEnvironmentVariableA("APPDATA", "C:\\Elsewhere\\Roaming"));
  Owned moved(getApplicationDataFolder());
  EXPECT_EQ(path_of(moved.get()), "C:\\Elsewhere\\Roaming");
  SetEnvironmentVariableA("APPDATA", had ? saved : nullptr);
}

TEST(SystemFolders, VolumesCountDrivesFromCThenAAndB) {
  DWORD drives = GetLogicalDrives();
  std::vector<std::string> expected;
  for (char letter = 'C'; letter <= 'Z'; ++letter) {
    if (drives & (1u << (letter - 'A'))) expected.push_back(std::string(1, letter) + ":");
  }
  for (char letter : {'A', 'B'}) {
    if (drives & (1u << (letter - 'A'))) expected.push_back(std::string(1, letter) + ":");
  }
  ASSERT_EQ(getVolumeCount(), static_cast<int32_t>(expected.size()));
  for (size_t i = 0; i < expected.size(); ++i) {
    Owned volume(getVolume(static_cast<int32_t>(i)));
    EXPECT_EQ(path_of(volume.get()), expected[i]);
    EXPECT_TRUE(fileDirectoryGetter(volume.get()));
  }
  EXPECT_EQ(getVolume(static_cast<int32_t>(expected.size())), nullptr);
  EXPECT_EQ(getVolume(-1), nullptr);
}

TEST(SystemFolders, TemporaryItemsAreNewEmptyFilesWithTheQltPrefix) {
  Owned first(getTemporaryFolderItem());
  Owned second(getTemporaryFolderItem());
  ASSERT_NE(first.get(), nullptr);
  std::string path = path_of(first.get());
  EXPECT_NE(path, path_of(second.get()));
  EXPECT_TRUE(path.starts_with(system_text(temp_path) + "qlt")) << path;
  EXPECT_TRUE(fileExistsGetter(first.get()));
  EXPECT_EQ(fileSizeGetter(first.get()), 0);
  FolderItemDelete(first.get());
  FolderItemDelete(second.get());
  EXPECT_FALSE(fileExistsGetter(first.get()));
}

TEST(SystemFolders, ScratchFilesAreDeletedWhenClosedOrAtExit) {
  DiskFile* file = create_scratch_file();
  ASSERT_NE(file, nullptr);
  std::string path = file->scratch_path();
  EXPECT_TRUE(path.starts_with(system_text(temp_path) + "qlt")) << path;
  EXPECT_EQ(file->write("scratch", 7), 7);
  ASSERT_TRUE(file->set_position(0));
  char back[8] = {};
  EXPECT_EQ(file->read(back, 7), 7);
  EXPECT_STREQ(back, "scratch");
  EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
  destroy_file(file);
  EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);

  // The exit list of the fatal paths closes and deletes the ones still open, then forgets them.
  DiskFile* left_open = create_scratch_file();
  ASSERT_NE(left_open, nullptr);
  path = left_open->scratch_path();
  run_exit_list();
  EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
  destroy_file(left_open);
}

TEST(SystemFolders, NamesResolveInTheApplicationsFolderWhateverTheCurrentDirectory) {
  std::string program_folder = harness::program_folder();  // with its trailing backslash
  char saved[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, saved);
  TempFolder elsewhere;
  ASSERT_TRUE(SetCurrentDirectoryA(elsewhere.path().c_str()));
  StringRef name = text_ref("words.txt");
  Owned item(RuntimeGetFolderItem(name.get()));
  Owned true_item(RuntimeGetTrueFolderItem(name.get()));
  SetCurrentDirectoryA(saved);
  EXPECT_EQ(path_of(item.get()), program_folder + "words.txt");
  EXPECT_EQ(path_of(true_item.get()), program_folder + "words.txt");

  StringRef rooted = text_ref("\\x.txt");
  Owned at_root(RuntimeGetFolderItem(rooted.get()));
  EXPECT_EQ(path_of(at_root.get()), program_folder.substr(0, 3) + "x.txt");
  StringRef absolute = text_ref("D:\\x.txt");
  Owned on_d(RuntimeGetFolderItem(absolute.get()));
  EXPECT_EQ(path_of(on_d.get()), "D:\\x.txt");
}

// Dates as a fake Date layer would keep them: the local time in a number the test can see.
std::vector<int64_t> made_dates;
QlObject* fake_date_object = reinterpret_cast<QlObject*>(0x1000);
QlObject* make_fake_date(int64_t local_time) {
  made_dates.push_back(local_time);
  return nullptr;
}
int64_t date_to_store = 0;
bool fake_date_time(QlObject* date, int64_t& local_time) {
  local_time = date_to_store;
  return date == fake_date_object;
}

int64_t local_write_time(const std::string& path) {
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA(path.c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return -1;
  FindClose(search);
  FILETIME local;
  FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
  return static_cast<int64_t>((static_cast<uint64_t>(local.dwHighDateTime) << 32) | local.dwLowDateTime);
}

TEST(SystemFolders, FileTimesTravelAsLocalTimeThroughTheDateRoutines) {
  TempFolder temp;
  temp.write("dated.txt", "x");
  Owned item = temp.item("dated.txt");
  std::string path = temp.at("dated.txt");
  // Without a Date layer the properties are nil and the setters do nothing.
  EXPECT_EQ(folderGetModified(item.get()), nullptr);
  folderSetModified(item.get(), fake_date_object);

  set_date_routines({make_fake_date, fake_date_time});
  made_dates.clear();
  folderGetModified(item.get());
  folderGetCreation(item.get());
  ASSERT_EQ(made_dates.size(), 2u);
  EXPECT_EQ(made_dates[0], local_write_time(path));

  // 2001-02-03 04:05:06 local time, in 100-ns intervals since 1601.
  SYSTEMTIME wanted = {2001, 2, 6, 3, 4, 5, 6, 0};
  FILETIME wanted_time;
  SystemTimeToFileTime(&wanted, &wanted_time);
  date_to_store = static_cast<int64_t>((static_cast<uint64_t>(wanted_time.dwHighDateTime) << 32) |
                                       wanted_time.dwLowDateTime);
  folderSetModified(item.get(), fake_date_object);
  EXPECT_EQ(local_write_time(path), date_to_store);
  folderSetModified(item.get(), nullptr);  // nil changes nothing
  EXPECT_EQ(local_write_time(path), date_to_store);
  Owned missing = temp.item("missing.txt");
  made_dates.clear();
  EXPECT_EQ(folderGetModified(missing.get()), nullptr);
  EXPECT_TRUE(made_dates.empty());
  set_date_routines({});
}

}  // namespace
}  // namespace ql::testing
