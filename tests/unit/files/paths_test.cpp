// Windows paths as folder items see them: splitting, parents, child and sibling forms, comparisons.
#include "files/paths.h"

#include <gtest/gtest.h>

namespace ql::testing {
namespace {

void expect_parts(std::string_view path, std::string_view root, std::string_view folder,
                  std::string_view name) {
  PathParts parts = split_path(path);
  EXPECT_EQ(parts.root, root) << path;
  EXPECT_EQ(parts.folder, folder) << path;
  EXPECT_EQ(parts.name, name) << path;
}

TEST(Paths, SplitIntoRootFolderAndName) {
  expect_parts("C:\\Data\\Lists\\words.txt", "C:\\", "Data\\Lists\\", "words.txt");
  expect_parts("C:\\words.txt", "C:\\", "", "words.txt");
  expect_parts("C:\\", "C:\\", "", "");
  expect_parts("C:", "C:", "", "");
  expect_parts("C:words.txt", "C:words.txt", "", "");  // no backslash after the drive: all of it is root
  expect_parts("\\\\server\\share\\a.txt", "\\\\server\\", "share\\", "a.txt");
  expect_parts("\\\\server", "\\\\server", "", "");
  expect_parts("Lists\\words.txt", "", "Lists\\", "words.txt");
  expect_parts("\\x.txt", "", "\\", "x.txt");
  expect_parts("words.txt", "", "", "words.txt");
  expect_parts("C:\\Temp\\", "C:\\", "Temp\\", "");
  expect_parts("", "", "", "");
  expect_parts("x", "", "", "x");
}

TEST(Paths, ParentsClimbOneLevelAndStopAtTheDrive) {
  EXPECT_EQ(parent_path("C:\\Data\\words.txt"), "C:\\Data");
  EXPECT_EQ(parent_path("C:\\Data\\Lists"), "C:\\Data");
  EXPECT_EQ(parent_path("C:\\words.txt"), "C:");
  EXPECT_EQ(parent_path("C:\\"), "C:");
  EXPECT_EQ(parent_path("C:\\Temp\\"), "C:\\Temp");
  EXPECT_EQ(parent_path("\\\\server\\share\\a.txt"), "\\\\server\\share");
  // A drive without its backslash and a bare name have no parent: cutting a character would name another
  // place.
  EXPECT_EQ(parent_path("C:"), "C:");
  EXPECT_EQ(parent_path("words.txt"), "words.txt");
  EXPECT_EQ(parent_path(""), "");
}

TEST(Paths, ChildFormResolvesAgainstTheBaseFolder) {
  const char* base = "C:\\Apps\\Loquat";
  EXPECT_EQ(combine_child(base, "words.txt"), "C:\\Apps\\Loquat\\words.txt");
  EXPECT_EQ(combine_child(base, "D:\\x.txt"), "D:\\x.txt");
  EXPECT_EQ(combine_child(base, "\\x.txt"), "C:\\x.txt");
  EXPECT_EQ(combine_child(base, "\\Data\\x.txt"), "C:\\Data\\x.txt");
  EXPECT_EQ(combine_child(base, "Data\\x.txt"), "C:\\Apps\\Loquat\\Data\\x.txt");
  EXPECT_EQ(combine_child(base, "\\\\server\\share\\x.txt"), "\\\\server\\share\\x.txt");
  EXPECT_EQ(combine_child(base, ""), "C:\\Apps\\Loquat\\");
}

TEST(Paths, SiblingFormReplacesTheName) {
  const char* base = "C:\\Data\\old.txt";
  EXPECT_EQ(combine_sibling(base, "new.txt"), "C:\\Data\\new.txt");
  EXPECT_EQ(combine_sibling(base, "Sub\\new.txt"), "C:\\Data\\Sub\\new.txt");
  EXPECT_EQ(combine_sibling(base, "\\Other\\new.txt"), "C:\\Other\\new.txt");
  EXPECT_EQ(combine_sibling(base, "E:\\new.txt"), "E:\\new.txt");
  EXPECT_EQ(combine_sibling("C:\\old.txt", "new.txt"), "C:\\new.txt");
}

TEST(Paths, ComparisonsFoldCaseAndExtensionsMatchTheEnd) {
  EXPECT_TRUE(paths_equal("C:\\Data\\Words.TXT", "c:\\data\\words.txt"));
  EXPECT_FALSE(paths_equal("C:\\Data", "C:\\Data\\"));
  EXPECT_FALSE(paths_equal("C:\\a", "C:\\b"));

  EXPECT_TRUE(path_has_extension("C:\\words.TXT", ".txt"));
  EXPECT_TRUE(path_has_extension(".txt", ".txt"));
  EXPECT_FALSE(path_has_extension("txt", ".txt"));
  EXPECT_FALSE(path_has_extension("C:\\words.txt", ""));
  EXPECT_FALSE(path_has_extension("C:\\words.text", ".txt"));

  EXPECT_TRUE(usable_path("C:\\a.txt"));
  EXPECT_FALSE(usable_path(""));
  EXPECT_FALSE(usable_path(std::string_view("a.txt\0.exe", 10)));
}

}  // namespace
}  // namespace ql::testing
