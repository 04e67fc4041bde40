// The classes of folder items and streams as the language sees them, the path-known rule and the object
// dump.
#include "files/file_classes.h"

#include <gtest/gtest.h>

#include "../objects/object_test_support.h"
#include "file_test_support.h"
#include "files/paths.h"
#include "files/stream_objects.h"
#include "objects/class_object.h"
#include "objects/class_registry.h"
#include "objects/object_steps.h"
#include "platform/platform.h"
#include "quillet/objects.h"
#include "quillet/strings.h"
#include "unit/runtime_classes.h"
#include "values/pool.h"

namespace ql::testing {
namespace {

template <typename Routine>
Routine as(uintptr_t code) {
  return reinterpret_cast<Routine>(code);
}

TEST(FileClasses, CompiledCodeReachesItemsAndStreamsThroughTheirMembersByName) {
  define_runtime_classes();
  EXPECT_EQ(builtin_class("folderitem"), folder_item_class());
  const ClassObject* item_class = folder_item_class();
  TempFolder folder;
  folder.write("words.txt", "first line\r\nsecond");
  Owned item = folder.item("words.txt");
  const PropertyRecord* name = find_property(item_class, "NAME");
  const std::string shown_name =
      take(as<QlString (*)(QlObject*, intptr_t)>(name->getter)(item.get(), name->parameter));
#ifdef _WIN32
  EXPECT_EQ(shown_name, "words.txt");
#else
  // The host's temporary folder has POSIX paths, which the runtime's Windows path rules leave whole.
  EXPECT_TRUE(shown_name.ends_with("/words.txt")) << shown_name;
#endif
  EXPECT_EQ(as<int32_t (*)(QlObject*)>(lookup_deferred_member("GFolderItem!Length"))(item.get()), 18);
  Owned input(as<QlObject* (*)(QlObject*)>(find_method(item_class, "OpenAsTextFile")->code)(item.get()));
  EXPECT_EQ(
      take(as<QlString (*)(QlObject*)>(lookup_deferred_member("MTextInputStream!ReadLine"))(input.get())),
      "first line");
  EXPECT_EQ(as<QlObject* (*)(QlObject*)>(find_method(item_class, "OpenResourceFork")->code)(item.get()),
            nullptr);

  // A TextOutputStream's Delimiter ends the lines it writes.
  Owned out_item = folder.item("out.txt");
  Owned output(FolderItemCreateTextFile(out_item.get()));
  const PropertyRecord* delimiter = find_property(builtin_class("TextOutputStream"), "Delimiter");
  StringRef bar = text_ref("|");
  as<void (*)(QlObject*, intptr_t, QlString)>(delimiter->setter)(output.get(), delimiter->parameter,
                                                                 bar.get());
  StringRef line = text_ref("one");
  TextOutputStreamWriteLine(output.get(), line.get());
  TextOutputStreamClose(output.get());
  EXPECT_EQ(folder.read("out.txt"), "one|");
}

TEST(FileClasses, AnItemWithoutAKnownPathStandsForTheApplicationFolder) {
  std::string program;
  ASSERT_TRUE(platform::module_file_path(program));
  std::string folder = parent_path(program);
  EXPECT_EQ(application_folder(), folder);

  Owned fresh(new_object(folder_item_class()));
  EXPECT_EQ(reinterpret_cast<FolderItemObject*>(fresh.get())->path_known, 0);
  EXPECT_EQ(take(fileAbsolutePathGetter(fresh.get())), folder);
  EXPECT_EQ(reinterpret_cast<FolderItemObject*>(fresh.get())->path_known, 1);
  EXPECT_TRUE(fileDirectoryGetter(fresh.get()));

  StringRef name = text_ref("words.txt");
  Owned relative(RuntimeGetFolderItem(name.get()));
  EXPECT_EQ(take(fileAbsolutePathGetter(relative.get())), folder + "\\words.txt");
  EXPECT_EQ(take(fileNameGetter(relative.get())), "words.txt");
  Owned parent(folderParentGetter(relative.get()));
  EXPECT_EQ(take(fileAbsolutePathGetter(parent.get())), folder);
  Owned child(FolderChild(fresh.get(), name.get()));
  EXPECT_EQ(take(fileAbsolutePathGetter(child.get())), folder + "\\words.txt");
}

TEST(FileClasses, DriveItemsAndNilAnswerWithoutTouchingTheDisk) {
  Owned drive(new_folder_item("Q:"));
  EXPECT_TRUE(fileDirectoryGetter(drive.get()));
  EXPECT_EQ(folderParentGetter(drive.get()), nullptr);
  EXPECT_EQ(take(fileNameGetter(drive.get())), "");
  Owned root(new_folder_item("Q:\\"));
  Owned up(folderParentGetter(root.get()));
  EXPECT_EQ(take(fileAbsolutePathGetter(up.get())), "Q:");

  EXPECT_FALSE(fileExistsGetter(nullptr));
  EXPECT_EQ(take(fileAbsolutePathGetter(nullptr)), "");
  EXPECT_EQ(FolderChild(nullptr, nullptr), nullptr);
  EXPECT_EQ(fileCountGetter(nullptr), 0);
  fileNameSetter(nullptr, nullptr);
  FolderItemDelete(nullptr);
  // Another class's object is no folder item.
  Owned stream(new_object(text_output_stream_class()));
  EXPECT_EQ(take(fileAbsolutePathGetter(stream.get())), "");
  EXPECT_EQ(FolderChild(stream.get(), nullptr), nullptr);
}

std::vector<std::string> dump_lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "every line ends with CR LF";
  return lines;
}

TEST(ObjectDump, ListsThePoolUsageTheCountAndEveryLiveObjectsClass) {
  TempFolder folder;
  auto named = make_class("Named");
  auto anonymous = make_class("", named.get());
  auto orphan = make_class("");
  Owned first(new_object(anonymous.get()));
  Owned second(new_object(orphan.get()));
  Owned item = folder.item("dump.txt");

  int64_t pool_before = process_pool().bytes_outstanding();
  int32_t live = live_object_count();
  debugDumpObjects(item.get());
  std::vector<std::string> lines = dump_lines(folder.read("dump.txt"));
  // The stream the dump writes through is open while it counts, so it is one of the live objects.
  ASSERT_EQ(lines.size(), 3u + static_cast<size_t>(live));
  ASSERT_TRUE(lines[0].ends_with(" used in heap1"));
  EXPECT_GT(std::stoll(lines[0]), pool_before) << "the open stream holds pool memory";
  EXPECT_EQ(lines[1], std::to_string(live + 1) + " objects");
  // Newest first: the stream, the item, then the orphan, then the anonymous subclass under its
  // superclass's name.
  EXPECT_EQ(lines[2], "TextOutputStream");
  EXPECT_EQ(lines[3], "FolderItem");
  EXPECT_EQ(lines[4], "<Unnamed object class>");
  EXPECT_EQ(lines[5], "Named");
  EXPECT_EQ(live_object_count(), live) << "the stream is released afterwards";

  debugDumpObjects(nullptr);  // nothing to write to
  Owned nowhere(new_folder_item(folder.at("missing\\dump.txt")));
  debugDumpObjects(nowhere.get());
  EXPECT_FALSE(folder.exists("missing"));
}

}  // namespace
}  // namespace ql::testing
