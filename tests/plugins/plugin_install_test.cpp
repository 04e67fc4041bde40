// Installing stored plug-ins: the chain of an image installed during start-up, where the file goes, that
// only exactly the stored bytes are ever loaded, that an unchanged file is not rewritten, and that file
// names with a path are refused with a message.
#include <gtest/gtest.h>

#include <string.h>

#include "image/plugin_chain.h"
#include "objects/class_registry.h"
#include "platform/platform.h"
#include "plugin_test_support.h"
#include "plugins/plugin_host.h"
#include "plugins/plugin_install.h"
#include "plugins/plugin_steps.h"
#include "program_runner.h"
#include "quillet.h"
#include "start/entry_point_table.h"

namespace ql {
namespace {

using plugin_testing::built_dll;
using plugin_testing::stored_plugin;

std::string path_in(const std::string& folder, const std::string& name) {
  return folder + (folder.back() == '\\' ? "" : "\\") + name;
}

bool file_exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

FILETIME written_at(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

// data1 holding a chain of nodes {next, size, 0, name length, name, bytes} from the base address on.
struct ChainImage {
  static constexpr uint32_t kBase = 0x00400000;
  std::vector<uint8_t> bytes = std::vector<uint8_t>(8, 0);  // the two header words

  uint32_t add(const std::string& name, const std::vector<uint8_t>& file, uint32_t next) {
    while (bytes.size() % 4) bytes.push_back(0);
    uint32_t at = kBase + static_cast<uint32_t>(bytes.size());
    uint32_t size = static_cast<uint32_t>(file.size() + name.size() + 5);
    uint32_t words[3] = {next, size, 0};
    const auto* raw = reinterpret_cast<const uint8_t*>(words);
    bytes.insert(bytes.end(), raw, raw + sizeof words);
    bytes.push_back(static_cast<uint8_t>(name.size()));
    bytes.insert(bytes.end(), name.begin(), name.end());
    bytes.insert(bytes.end(), file.begin(), file.end());
    return at;
  }
};

TEST(PluginInstall, TheStoredChainIsInstalledAndADllWithoutEntryIsSkipped) {
  plugin_testing::define_ui_test_classes();
  std::vector<uint8_t> no_entry = built_dll("no_entry_plugin.dll");
  std::vector<uint8_t> marker = built_dll("chain_marker_plugin.dll");
  ChainImage image;
  uint32_t second = image.add("chain_marker_plugin.dll", marker, 0);
  uint32_t head = image.add("no_entry_plugin.dll", no_entry, second);
  std::vector<image::StoredPlugin> stored;
  std::string error;
  ASSERT_TRUE(image::walk_plugin_chain(
      {image.bytes.data(), static_cast<uint32_t>(image.bytes.size()), image.kBase}, head, stored, error))
      << error;
  ASSERT_EQ(stored.size(), 2u);

  install_plugins(stored, entry_point_address);

  // The DLL without QUILPluginMain was written to the first folder and skipped; the next one loaded.
  std::vector<PluginFolder> folders = plugin_folders();
  ASSERT_FALSE(folders.empty());
  EXPECT_TRUE(file_exists(path_in(folders[0].path, "no_entry_plugin.dll")));
  EXPECT_NE(class_by_name("ChainMarker"), nullptr);
  EXPECT_EQ(GetModuleHandleA(path_in(folders[0].path, "no_entry_plugin.dll").c_str()),
            nullptr);  // unloaded again
  EXPECT_NE(GetModuleHandleA(path_in(folders[0].path, "chain_marker_plugin.dll").c_str()), nullptr);
}

TEST(PluginInstall, FoldersAreTheSystemThenWindowsThenTheRuntimesOwn) {
  std::vector<PluginFolder> folders = plugin_folders();
  ASSERT_EQ(folders.size(), 3u);
  char system[MAX_PATH], windows[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  GetWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_EQ(folders[0].path, system);
  EXPECT_EQ(folders[1].path, windows);
  EXPECT_FALSE(folders[0].make_when_missing);
  EXPECT_TRUE(folders[2].make_when_missing);
  const std::string own = "\\Quillet\\Plugins";
  ASSERT_GT(folders[2].path.size(), own.size());
  EXPECT_EQ(folders[2].path.substr(folders[2].path.size() - own.size()), own);
}

TEST(PluginInstall, APlantedFileWithOtherBytesIsNeverLoaded) {
  plugin_testing::define_ui_test_classes();
  std::vector<uint8_t> wanted = built_dll("kept_marker_plugin.dll");
  std::vector<uint8_t> planted = built_dll("planted_marker_plugin.dll");
  const std::string name = "planted_test_plugin.dll";

  // The first folder holds a planted plug-in of that name that cannot be replaced (another program holds it
  // open against writers), the second folder is missing and cannot be made, the third takes the file.
  std::string locked = harness::make_temp_folder("planted");
  ASSERT_TRUE(harness::write_file(path_in(locked, name), std::string(planted.begin(), planted.end())));
  HANDLE holder = CreateFileA(path_in(locked, name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  std::string missing = path_in(harness::make_temp_folder("missing"), "not\\there");
  std::string own = path_in(harness::make_temp_folder("own"), "Quillet\\Plugins");

  PluginInstall outcome =
      install_stored_plugin(stored_plugin(name, wanted), {{locked}, {missing}, {own, true}});
  EXPECT_EQ(outcome, PluginInstall::kLoaded);
  EXPECT_EQ(class_by_name("PlantedMarker"), nullptr) << "the planted file was loaded";
  EXPECT_NE(class_by_name("KeptMarker"), nullptr);
  EXPECT_EQ(harness::read_file(path_in(own, name)), std::string(wanted.begin(), wanted.end()));
  EXPECT_EQ(harness::read_file(path_in(locked, name)), std::string(planted.begin(), planted.end()));
  EXPECT_FALSE(file_exists(path_in(missing, name)));

  // With nowhere to write the bytes, nothing is loaded and the runtime goes on.
  EXPECT_EQ(install_stored_plugin(stored_plugin(name, wanted), {{locked}, {missing}}),
            PluginInstall::kNotPlaced);
  EXPECT_EQ(class_by_name("PlantedMarker"), nullptr);
  CloseHandle(holder);
}

TEST(PluginInstall, AFileHoldingTheBytesAlreadyIsNotRewritten) {
  plugin_testing::define_ui_test_classes();
  std::vector<uint8_t> bytes = built_dll("no_entry_plugin.dll");
  std::string folder = harness::make_temp_folder("unchanged");
  const std::string path = path_in(folder, "unchanged_plugin.dll");
  ASSERT_TRUE(harness::write_file(path, std::string(bytes.begin(), bytes.end())));
  FILETIME old_time = {0x12345678, 0x01D00000};  // some day in 2014
  HANDLE file =
      CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  SetFileTime(file, nullptr, nullptr, &old_time);
  CloseHandle(file);

  EXPECT_EQ(install_stored_plugin(stored_plugin("unchanged_plugin.dll", bytes), {{folder}}),
            PluginInstall::kNotLoaded);
  FILETIME now = written_at(path);
  EXPECT_EQ(CompareFileTime(&now, &old_time), 0) << "the file was written again";

  // One byte different: the file is replaced and then holds the stored bytes.
  std::vector<uint8_t> changed = bytes;
  changed.back() ^= 0x5A;
  EXPECT_EQ(install_stored_plugin(stored_plugin("unchanged_plugin.dll", changed), {{folder}}),
            PluginInstall::kNotLoaded);
  EXPECT_EQ(harness::read_file(path), std::string(changed.begin(), changed.end()));
}

TEST(PluginInstall, ANameThatIsNoPlainFileNameIsRefusedWithAMessage) {
  plugin_testing::define_ui_test_classes();
  std::vector<uint8_t> bytes = built_dll("no_entry_plugin.dll");
  std::string folder = harness::make_temp_folder("refused");
  std::string sub = path_in(folder, "sub");
  CreateDirectoryA(sub.c_str(), nullptr);
  plugin_testing::OwnMessageBoxes boxes;
  for (const char* name : {"..\\escaped.dll", "sub\\nested.dll", "C:evil.dll", "NUL.dll"}) {
    EXPECT_EQ(install_stored_plugin(stored_plugin(name, bytes), {{sub}}), PluginInstall::kRefusedName)
        << name;
  }
  EXPECT_FALSE(file_exists(path_in(folder, "escaped.dll")));
  EXPECT_FALSE(file_exists(path_in(sub, "sub\\nested.dll")));
  std::vector<std::string> texts = boxes.texts();
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_NE(texts[0].find("\"..\\escaped.dll\""), std::string::npos) << texts[0];
  EXPECT_NE(texts[0].find("not a plain file name"), std::string::npos) << texts[0];
  EXPECT_NE(texts[3].find("NUL.dll"), std::string::npos) << texts[3];
}

TEST(PluginResolver, AnswersRoutinesThatDoWhatTheirNamesSayInAnyCaseAndNullOtherwise) {
  plugin_testing::define_ui_test_classes();
  using Lock = void (*)(QlString);
  using CString = const char* (*)(QlString);
  using Build = QlString (*)(const char*, int32_t);
  auto build = reinterpret_cast<Build>(resolve_host_routine("QUILBuildString"));
  ASSERT_NE(build, nullptr);
  QlString word = build("lessons", 4);
  ASSERT_NE(word, nullptr);
  EXPECT_STREQ(reinterpret_cast<CString>(resolve_host_routine("stringgetcstring"))(word), "less");
  const int32_t count = word->count;
  reinterpret_cast<Lock>(resolve_host_routine("QUILLockString"))(word);
  EXPECT_EQ(word->count, count + 1);
  reinterpret_cast<Lock>(resolve_host_routine("quilunlockstring"))(word);
  reinterpret_cast<Lock>(resolve_host_routine("RuntimeUnlockString"))(word);
  EXPECT_EQ(reinterpret_cast<int32_t (*)()>(resolve_host_routine("PluginDefaultControlFontSize"))(), 12);
  EXPECT_EQ(resolve_host_routine("NoSuchRoutine"), nullptr);
  EXPECT_EQ(resolve_host_routine(""), nullptr);
  EXPECT_EQ(resolve_host_routine(nullptr), nullptr);
}

}  // namespace
}  // namespace ql
