// The Open and Save dialogs, answered by the harness as a person would: a path typed and confirmed, or a
// cancel.
#include <gtest/gtest.h>
#include <windows.h>

#include "file_dialogs.h"
#include "files/file_types.h"
#include "files/paths.h"
#include "unit/files/file_test_support.h"

namespace ql::testing {
namespace {

using harness::cancel_dialog;
using harness::FileDialog;
using harness::FileDialogWatcher;
using harness::type_path;

class FileDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = file_types();
    set_file_types({{"Text", "TEXT", "ttxt", ".txt;.text"}, {"Any", "", "????", ""}});
  }
  void TearDown() override { set_file_types(saved_); }

 private:
  std::vector<FileType> saved_;
};

std::string path_of(QlObject* item) { return take(fileAbsolutePathGetter(item)); }

TEST_F(FileDialogs, OpenAnswersTheChosenFileWithTheImagesFilter) {
  TempFolder temp;
  temp.write("chosen.txt", "x");
  std::vector<FileDialog> seen;
  Owned item;
  {
    FileDialogWatcher watcher({type_path(temp.at("chosen.txt"))});
    StringRef types = text_ref("Text;Any");
    item = Owned(RuntimeGetOpenFolderItem(types.get()));
    seen = watcher.seen();
  }
  ASSERT_NE(item.get(), nullptr);
  EXPECT_TRUE(paths_equal(path_of(item.get()), temp.at("chosen.txt"))) << path_of(item.get());
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].filter_names, (std::vector<std::string>{"Text", "Any"}));
  EXPECT_EQ(seen[0].initial_name, "");
}

TEST_F(FileDialogs, SaveStartsEmptyAndAddsTheDefaultExtension) {
  TempFolder temp;
  std::vector<FileDialog> seen;
  Owned item;
  {
    FileDialogWatcher watcher({type_path(temp.at("report"))});
    StringRef types = text_ref("Text");
    StringRef suggested = text_ref("suggested.txt");
    item = Owned(RuntimeGetSaveFolderItem(types.get(), suggested.get()));
    seen = watcher.seen();
  }
  ASSERT_NE(item.get(), nullptr);
  EXPECT_TRUE(paths_equal(path_of(item.get()), temp.at("report.txt"))) << path_of(item.get());
  EXPECT_FALSE(fileExistsGetter(item.get()));  // choosing does not create it
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].initial_name, "");
  EXPECT_EQ(seen[0].filter_names, std::vector<std::string>{"Text"});
}

TEST_F(FileDialogs, CancellingYieldsNil) {
  FileDialogWatcher watcher({cancel_dialog(), cancel_dialog()});
  StringRef types = text_ref("Any");
  EXPECT_EQ(RuntimeGetOpenFolderItem(types.get()), nullptr);
  EXPECT_EQ(RuntimeGetSaveFolderItem(types.get(), nullptr), nullptr);
  EXPECT_EQ(watcher.seen().size(), 2u);
}

}  // namespace
}  // namespace ql::testing
