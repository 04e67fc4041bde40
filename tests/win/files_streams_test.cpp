// File streams where the system refuses access: read-only folders and files, files another program holds,
// and the handles streams give back.
#include <gtest/gtest.h>
#include <windows.h>

#include "unit/files/file_test_support.h"

namespace ql::testing {
namespace {

// What the system itself answers when asked to create a file there.
bool system_creates(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  DeleteFileA(path.c_str());
  return true;
}

TEST(FileStreams, AReadOnlyFolderBehavesAsTheSystemSays) {
  TempFolder temp;
  std::string folder = temp.at("locked");
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  ASSERT_TRUE(SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_READONLY));
  std::string path = folder + "\\new.txt";
  bool allowed = system_creates(path);

  Owned item(new_folder_item(path));
  Owned stream(FolderItemCreateTextFile(item.get()));
  EXPECT_EQ(stream.get() != nullptr, allowed);
  StringRef text = text_ref("line");
  TextOutputStreamWriteLine(stream.get(), text.get());
  TextOutputStreamClose(stream.get());
  EXPECT_EQ(fileExistsGetter(item.get()), allowed);
  if (allowed) {
    EXPECT_EQ(temp.read("locked\\new.txt"), "line\r\n");
  }
  SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(FileStreams, ALockedFileBehavesAsTheSystemSaysAndKeepsItsContents) {
  TempFolder temp;
  temp.write("locked.txt", "keep me");
  Owned item = temp.item("locked.txt");
  fileLockedSetter(item.get(), true);
  ASSERT_TRUE(fileLockedGetter(item.get()));
  HANDLE probe =
      CreateFileA(temp.at("locked.txt").c_str(), GENERIC_READ | GENERIC_WRITE,
                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  bool writable = probe != INVALID_HANDLE_VALUE;
  if (writable) CloseHandle(probe);

  Owned append(FolderItemAppendTextFile(item.get()));
  EXPECT_EQ(append.get() != nullptr, writable);
  append.reset();
  Owned binary(FolderItemOpenBinaryFile(item.get(), true));
  EXPECT_EQ(binary.get() != nullptr, writable);
  binary.reset();
  EXPECT_EQ(temp.read("locked.txt"), "keep me");
  // Reading needs no write access.
  Owned in(FolderItemOpenTextFile(item.get()));
  EXPECT_EQ(take(TextInputStreamReadAll(in.get())), "keep me");
  fileLockedSetter(item.get(), false);
}

TEST(FileStreams, AFileAnotherProgramHoldsIsRefusedAndKept) {
  TempFolder temp;
  temp.write("held.txt", "precious");
  Owned item = temp.item("held.txt");
  HANDLE held = CreateFileA(temp.at("held.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(FolderItemOpenTextFile(item.get()), nullptr);
  EXPECT_EQ(FolderItemCreateTextFile(item.get()), nullptr);
  EXPECT_EQ(FolderItemAppendTextFile(item.get()), nullptr);
  EXPECT_EQ(FolderItemOpenBinaryFile(item.get(), false), nullptr);
  EXPECT_EQ(FolderItemCreateBinaryFile(item.get()), nullptr);
  EXPECT_TRUE(fileExistsGetter(item.get()));
  EXPECT_EQ(fileSizeGetter(item.get()), 8);
  CloseHandle(held);
  EXPECT_EQ(temp.read("held.txt"), "precious");
}

TEST(FileStreams, StreamsShareTheirFileAndGiveItBackWhenDestroyed) {
  TempFolder temp;
  Owned item = temp.item("shared.txt");
  Owned out(FolderItemCreateTextFile(item.get()));
  StringRef text = text_ref("first");
  TextOutputStreamWriteLine(out.get(), text.get());
  // Written at once: a reader opened meanwhile sees it.
  Owned in(FolderItemOpenTextFile(item.get()));
  EXPECT_EQ(take(TextInputStreamReadLine(in.get())), "first");
  EXPECT_FALSE(DeleteFileA(temp.at("shared.txt").c_str()));  // still open
  out.reset();
  in.reset();
  EXPECT_TRUE(DeleteFileA(temp.at("shared.txt").c_str()));
}

}  // namespace
}  // namespace ql::testing
