// The application's file types: which one a name gets, and the dialogs' filter lists.
#include "files/file_types.h"

#include <gtest/gtest.h>

namespace ql::testing {
namespace {

using namespace std::string_literals;

const std::vector<FileType> kTypes = {
    {"Text", "TEXT", "ttxt", ".txt;.text"},
    {"Any", "", "????", ""},
    {"Lists", "LIST", "", ".lst"},
    {"Opaque", "", "abcd", ""},
};

TEST(FileTypes, BestTypeScoresExtensionsOverCatchAlls) {
  EXPECT_EQ(best_file_type("C:\\Data\\words.TEXT", kTypes), "Text");
  EXPECT_EQ(best_file_type("C:\\Data\\words.lst", kTypes), "Lists");
  // No extension matches: the first type without extensions wins.
  EXPECT_EQ(best_file_type("C:\\Data\\words.doc", kTypes), "Any");

  const std::vector<FileType> only_extensions = {{"Text", "", "", ".txt"}, {"Lists", "", "", ".lst"}};
  EXPECT_EQ(best_file_type("C:\\words.doc", only_extensions), "");
  EXPECT_EQ(best_file_type("C:\\words.txt", {}), "");
  // Of equal scores the first type wins.
  const std::vector<FileType> twice = {{"First", "", "", ".txt"}, {"Second", "", "", ".txt"}};
  EXPECT_EQ(best_file_type("a.txt", twice), "First");
}

TEST(FileTypes, FilterListsPatternsPerNameWithTheFirstExtensionAsDefault) {
  DialogFilter filter = build_dialog_filter("Text;Any", kTypes);
  EXPECT_EQ(filter.bytes, "Text\0*.txt;*.text\0Any\0*.*\0\0\0"s);
  EXPECT_EQ(filter.default_extension, "txt");

  // Names fold; a type whose second code is not "????" and that has no extensions contributes nothing, and
  // an unknown name still gets its entry.
  filter = build_dialog_filter("ANY;opaque;Nowhere;lists", kTypes);
  EXPECT_EQ(filter.bytes, "ANY\0*.*\0opaque\0\0Nowhere\0\0lists\0*.lst\0\0\0"s);
  EXPECT_EQ(filter.default_extension, "lst");

  // Every type of the same name adds its patterns; a catch-all adds "*.*" only to a name without patterns.
  const std::vector<FileType> same_name = {
      {"Docs", "", "", ".doc"}, {"Docs", "", "????", ""}, {"Docs", "", "", ".rtf"}};
  filter = build_dialog_filter("Docs", same_name);
  EXPECT_EQ(filter.bytes, "Docs\0*.doc;*.rtf\0\0\0"s);
  EXPECT_EQ(filter.default_extension, "doc");

  filter = build_dialog_filter("", kTypes);
  EXPECT_EQ(filter.bytes, "\0\0"s);
  EXPECT_EQ(filter.default_extension, "");
  // Empty names would end the dialog's list early, so they are left out.
  filter = build_dialog_filter(";Any;", kTypes);
  EXPECT_EQ(filter.bytes, "Any\0*.*\0\0\0"s);
}

}  // namespace
}  // namespace ql::testing
