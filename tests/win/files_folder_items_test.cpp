// Folder items on the Win32 file system, in a temporary folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "files/file_types.h"
#include "unit/files/file_test_support.h"

namespace ql::testing {
namespace {

std::string path_of(QlObject* item) { return take(fileAbsolutePathGetter(item)); }

Owned child(const Owned& folder, const std::string& name) {
  StringRef text = text_ref(name);
  return Owned(FolderChild(folder.get(), text.get()));
}

void create_text(QlObject* item, const std::string& text) {
  Owned stream(FolderItemCreateTextFile(item));
  ASSERT_NE(stream.get(), nullptr);
  StringRef bytes = text_ref(text);
  TextOutputStreamWrite(stream.get(), bytes.get());
}

TEST(FolderItems, ExistsBeforeAndAfterCreate) {
  TempFolder temp;
  Owned folder(new_folder_item(temp.path()));
  Owned item = child(folder, "words.txt");
  EXPECT_EQ(path_of(item.get()), temp.path() + "\\words.txt");
  EXPECT_FALSE(fileExistsGetter(item.get()));
  EXPECT_EQ(fileSizeGetter(item.get()), 0);
  EXPECT_TRUE(fileVisibleGetter(item.get()));  // not there, so not hidden either
  create_text(item.get(), "twelve bytes");
  EXPECT_TRUE(fileExistsGetter(item.get()));
  EXPECT_EQ(fileSizeGetter(item.get()), 12);
  EXPECT_FALSE(fileDirectoryGetter(item.get()));
  EXPECT_TRUE(fileDirectoryGetter(folder.get()));
  EXPECT_EQ(take(fileNameGetter(item.get())), "words.txt");
  Owned parent(folderParentGetter(item.get()));
  EXPECT_EQ(path_of(parent.get()), temp.path());

  // A folder's path ending with a backslash still names an existing folder.
  Owned trailing(new_folder_item(temp.path() + "\\"));
  EXPECT_TRUE(fileExistsGetter(trailing.get()));
  EXPECT_TRUE(fileDirectoryGetter(trailing.get()));
  EXPECT_EQ(take(fileNameGetter(trailing.get())), "");
  // Wildcards name no file, even where the system's search would match one.
  Owned pattern = child(folder, "*.txt");
  EXPECT_FALSE(fileExistsGetter(pattern.get()));
  EXPECT_EQ(fileSizeGetter(pattern.get()), 0);

  std::vector<FileType> saved = file_types();
  set_file_types({{"Text", "TEXT", "ttxt", ".txt;.text"}, {"Any", "", "????", ""}});
  EXPECT_EQ(take(fileTypeGetter(item.get())), "Text");
  EXPECT_EQ(take(fileTypeGetter(folder.get())), "Any");
  set_file_types(saved);
}

TEST(FolderItems, ListingCountsAndNamesEntriesInTheSystemsOrder) {
  TempFolder temp;
  Owned folder(new_folder_item(temp.path()));
  EXPECT_EQ(fileCountGetter(folder.get()), 0);
  EXPECT_EQ(FolderItemItem(folder.get(), 1), nullptr);
  for (const char* name : {"b.txt", "a.txt", "c.dat"}) temp.write(name, name);
  Owned sub = child(folder, "sub");
  FolderItemCreateAsFolder(sub.get());

  std::vector<std::string> system_order;
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA((temp.path() + "\\*.*").c_str(), &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  do {
    std::string name = data.cFileName;
    if (name != "." && name != "..") system_order.push_back(name);
  } while (FindNextFileA(search, &data));
  FindClose(search);

  ASSERT_EQ(fileCountGetter(folder.get()), 4);
  for (int n = 1; n <= 4; ++n) {
    Owned entry(FolderItemItem(folder.get(), n));
    ASSERT_NE(entry.get(), nullptr);
    EXPECT_EQ(path_of(entry.get()), temp.path() + "\\" + system_order[n - 1]);
  }
  EXPECT_EQ(FolderItemItem(folder.get(), 0), nullptr);
  EXPECT_EQ(FolderItemItem(folder.get(), 5), nullptr);
  Owned true_item(FolderItemTrueItem(folder.get(), 1));
  EXPECT_EQ(take(fileNameGetter(true_item.get())), system_order[0]);

  // Item keeps using the listing of the last Count for the same folder; Count lists again.
  temp.write("d.txt", "d");
  EXPECT_EQ(FolderItemItem(folder.get(), 5), nullptr);
  EXPECT_EQ(fileCountGetter(folder.get()), 5);
  Owned fifth(FolderItemItem(folder.get(), 5));
  EXPECT_NE(fifth.get(), nullptr);
  // Another folder's Item lists that folder.
  Owned inside(FolderItemItem(sub.get(), 1));
  EXPECT_EQ(inside.get(), nullptr);
  Owned missing = child(folder, "missing");
  EXPECT_EQ(fileCountGetter(missing.get()), 0);
}

TEST(FolderItems, RenamingMovesTheFileOrKeepsThePathWhenRefused) {
  TempFolder temp;
  Owned folder(new_folder_item(temp.path()));
  Owned item = child(folder, "old.txt");
  create_text(item.get(), "contents");
  StringRef new_name = text_ref("new.txt");
  fileNameSetter(item.get(), new_name.get());
  EXPECT_EQ(path_of(item.get()), temp.path() + "\\new.txt");
  EXPECT_FALSE(temp.exists("old.txt"));
  EXPECT_EQ(temp.read("new.txt"), "contents");

  // The target exists: the rename is refused and the item still names its file.
  temp.write("taken.txt", "other");
  StringRef taken = text_ref("taken.txt");
  fileNameSetter(item.get(), taken.get());
  EXPECT_EQ(path_of(item.get()), temp.path() + "\\new.txt");
  EXPECT_EQ(temp.read("taken.txt"), "other");
  EXPECT_EQ(temp.read("new.txt"), "contents");

  // An item naming no file yet just takes the new name.
  Owned unborn = child(folder, "unborn.txt");
  StringRef chosen = text_ref("chosen.txt");
  fileNameSetter(unborn.get(), chosen.get());
  EXPECT_EQ(path_of(unborn.get()), temp.path() + "\\chosen.txt");
}

TEST(FolderItems, RenamingOverReplacesTheTargetInOneStep) {
  TempFolder temp;
  Owned folder(new_folder_item(temp.path()));
  temp.write("progress.txt", "old");
  Owned fresh = child(folder, "progress.tmp");
  create_text(fresh.get(), "new");
  StringRef name = text_ref("progress.txt");
  EXPECT_TRUE(FolderItemRenameOver(fresh.get(), name.get()));
  EXPECT_EQ(path_of(fresh.get()), temp.path() + "\\progress.txt");
  EXPECT_FALSE(temp.exists("progress.tmp"));
  EXPECT_EQ(temp.read("progress.txt"), "new");

  // Without a file to rename nothing changes, and the item keeps its path.
  Owned missing = child(folder, "missing.tmp");
  EXPECT_FALSE(FolderItemRenameOver(missing.get(), name.get()));
  EXPECT_EQ(path_of(missing.get()), temp.path() + "\\missing.tmp");
  EXPECT_EQ(temp.read("progress.txt"), "new");
  // Nor is a folder replaced by a file.
  ASSERT_TRUE(CreateDirectoryA((temp.path() + "\\kept").c_str(), nullptr));
  Owned other = child(folder, "other.tmp");
  create_text(other.get(), "other");
  StringRef kept = text_ref("kept");
  EXPECT_FALSE(FolderItemRenameOver(other.get(), kept.get()));
  EXPECT_EQ(temp.read("other.tmp"), "other");
  EXPECT_FALSE(FolderItemRenameOver(nullptr, name.get()));
}

TEST(FolderItems, CopyMoveDeleteAndCreateFolder) {
  TempFolder temp;
  Owned folder(new_folder_item(temp.path()));
  Owned source = child(folder, "source.txt");
  create_text(source.get(), "payload");
  Owned target_folder = child(folder, "target");
  FolderItemCreateAsFolder(target_folder.get());
  EXPECT_TRUE(fileDirectoryGetter(target_folder.get()));

  // Into a folder under the item's own name; onto a file, replacing it.
  FolderItemCopyFileTo(source.get(), target_folder.get());
  EXPECT_EQ(temp.read("target\\source.txt"), "payload");
  temp.write("replaced.txt", "old");
  Owned replaced = child(folder, "replaced.txt");
  FolderItemCopyFileTo(source.get(), replaced.get());
  EXPECT_EQ(temp.read("replaced.txt"), "payload");

  // Moving keeps the item's old path; a move onto an existing file is refused.
  Owned moved = child(folder, "moved.txt");
  FolderItemMoveFileTo(source.get(), moved.get());
  EXPECT_EQ(path_of(source.get()), temp.path() + "\\source.txt");
  EXPECT_FALSE(fileExistsGetter(source.get()));
  EXPECT_EQ(temp.read("moved.txt"), "payload");
  FolderItemMoveFileTo(moved.get(), replaced.get());
  EXPECT_TRUE(fileExistsGetter(moved.get()));

  // Delete removes files only.
  FolderItemDelete(moved.get());
  EXPECT_FALSE(temp.exists("moved.txt"));
  FolderItemDelete(target_folder.get());
  EXPECT_TRUE(fileDirectoryGetter(target_folder.get()));
  FolderItemCopyFileTo(source.get(), nullptr);
  FolderItemMoveFileTo(nullptr, target_folder.get());
}

TEST(FolderItems, LockedAndVisibleChangeTheAttributes) {
  TempFolder temp;
  Owned folder(new_folder_item(temp.path()));
  Owned item = child(folder, "flags.txt");
  fileLockedSetter(item.get(), true);  // nothing there: nothing to change
  EXPECT_FALSE(fileLockedGetter(item.get()));
  create_text(item.get(), "x");
  std::string path = temp.path() + "\\flags.txt";

  fileLockedSetter(item.get(), true);
  EXPECT_TRUE(fileLockedGetter(item.get()));
  EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);
  fileVisibleSetter(item.get(), false);
  EXPECT_FALSE(fileVisibleGetter(item.get()));
  EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
  fileLockedSetter(item.get(), false);
  fileVisibleSetter(item.get(), true);
  DWORD attributes = GetFileAttributesA(path.c_str());
  EXPECT_FALSE(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN)) << attributes;
  EXPECT_FALSE(fileLockedGetter(item.get()));
  EXPECT_TRUE(fileVisibleGetter(item.get()));
}

TEST(FolderItems, NamesOutsideAsciiPassAsAnsiBytes) {
  TempFolder temp;
  Owned folder(new_folder_item(temp.path()));
  const std::string name =
      "caf\xE9 \xFC"
      "ber \xA3.txt";  // Windows-1252: café über £
  Owned item = child(folder, name);
  create_text(item.get(), "\xE9t\xE9\r\n");
  EXPECT_TRUE(fileExistsGetter(item.get()));
  EXPECT_EQ(take(fileNameGetter(item.get())), name);

  // The system sees the same name, also through its wide-character calls.
  std::string path = temp.path() + "\\" + name;
  wchar_t wide[MAX_PATH] = {};
  ASSERT_GT(MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH), 0);
  EXPECT_NE(GetFileAttributesW(wide), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(std::wstring(wide).ends_with(L"\\caf\u00E9 \u00FCber \u00A3.txt"));

  Owned listed(FolderItemItem(folder.get(), 1));
  ASSERT_EQ(fileCountGetter(folder.get()), 1);
  EXPECT_EQ(take(fileNameGetter(listed.get())), name);
  Owned in(FolderItemOpenTextFile(listed.get()));
  EXPECT_EQ(take(TextInputStreamReadLine(in.get())), "\xE9t\xE9");

  // Renaming a file that is open is refused, and the item keeps naming the file.
  StringRef renamed = text_ref("\xC6sop.txt");
  fileNameSetter(item.get(), renamed.get());
  EXPECT_EQ(take(fileNameGetter(item.get())), name);
  in.reset();
  fileNameSetter(item.get(), renamed.get());
  EXPECT_EQ(take(fileNameGetter(item.get())), "\xC6sop.txt");
  EXPECT_TRUE(fileExistsGetter(item.get()));
  EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(FolderItems, PathsTooLongForTheSystemFailQuietly) {
  TempFolder temp;
  std::string long_name(300, 'n');
  Owned item(new_folder_item(temp.path() + "\\" + long_name + ".txt"));
  EXPECT_EQ(FolderItemCreateTextFile(item.get()), nullptr);
  EXPECT_EQ(FolderItemAppendTextFile(item.get()), nullptr);
  EXPECT_EQ(FolderItemCreateBinaryFile(item.get()), nullptr);
  EXPECT_FALSE(fileExistsGetter(item.get()));
  EXPECT_FALSE(fileDirectoryGetter(item.get()));
  EXPECT_EQ(fileCountGetter(item.get()), 0);
  FolderItemCreateAsFolder(item.get());
  FolderItemDelete(item.get());
  StringRef name = text_ref(long_name + "2");
  fileNameSetter(item.get(), name.get());
  EXPECT_EQ(take(fileNameGetter(item.get())), long_name + "2");
  Owned folder(new_folder_item(temp.path()));
  EXPECT_EQ(fileCountGetter(folder.get()), 0);
}

}  // namespace
}  // namespace ql::testing
