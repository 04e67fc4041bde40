// An image linked from objects and a project description made here, installed with the runtime's own loader
// and class builder, and its window description, menu bar, items and stored plug-in read back with the
// runtime's decoders: what went into the project comes out of the loaded image.
#include <gtest/gtest.h>

#include <sstream>

#include "image/item_records.h"
#include "image/menu_bar_stream.h"
#include "image/picture_record.h"
#include "image/plugin_chain.h"
#include "image/settings_record.h"
#include "image/stream_reader.h"
#include "image/window_description.h"
#include "objects/class_descriptors.h"
#include "objects/class_object.h"
#include "objects/class_registry.h"
#include "objects/objects.h"
#include "qlimage/commands.h"
#include "qlimage/image.h"
#include "start/entry_point_table.h"
#include "start/image_install.h"
#include "tools/project_fixture.h"
#include "unit/runtime_classes.h"

namespace qltest {
namespace {

ql::image::ImageBlocks linked_blocks(const TempDir& dir) {
  FixtureFiles files = write_fixture(dir);
  std::ostringstream out, err;
  int code = qlimage::run_command(
      {"link", "--project", files.project, "--file", "quilapp1=" + files.plugin, "--file",
       "exercises=" + files.exercises, "-o", dir.file("app.img"), files.object},
      out, err);
  EXPECT_EQ(code, 0) << err.str();
  Bytes file = dir.read("app.img");
  std::string problem;
  uint64_t end = 0;
  std::optional<qlimage::Image> image =
      qlimage::parse_image(qlimage::ByteView(file), 0, file.size(), end, problem);
  EXPECT_TRUE(image) << problem;
  ql::image::ImageBlocks blocks;
  if (!image) return blocks;
  blocks[ql::image::kCode1] = image->code1;
  blocks[ql::image::kCode2] = image->code2;
  blocks[ql::image::kData1] = image->data1;
  blocks[ql::image::kData2] = image->data2;
  return blocks;
}

// The entry points the image imports, standing in for the runtime's table, whose routines the host build
// does not have all of.
void runtime_init_stand_in() {}
const ql::EntryPoint kEntryPoints[] = {
    {"RuntimeInit", reinterpret_cast<void*>(&runtime_init_stand_in), {0, 0}}};

uint32_t item_address(const ql::LoadedImage& image, uint32_t item) {
  return ql::image::read_word(image.project.item_words + 4 * (item - 1));
}

// The address that a pointer global of the compiled code holds once relocated.
uint32_t global_word(const ql::LoadedImage& image, uint32_t data_offset) {
  return ql::image::read_word(image.data1.bytes + 8 + data_offset);  // .data follows the header words
}

TEST(ImageLoad, TheRuntimeInstallsTheImageAndReadsBackEveryTable) {
  TempDir dir;
  ql::image::ImageBlocks blocks = linked_blocks(dir);
  ASSERT_FALSE(blocks[ql::image::kData1].empty());
  ql::LoadedImage image;
  std::string failure;
  ASSERT_TRUE(ql::image::install_image(blocks, kEntryPoints, image, failure)) << failure;
  const uint8_t* code1 = image.link.code1;
  EXPECT_EQ(reinterpret_cast<uintptr_t>(ql::image::entry_routine(image)), image.code1_address + kMainAt);
  // The call to RuntimeInit leads, through its thunk (mov r11, target; on to the entry gate), to the
  // routine of the table.
  int32_t displacement;
  std::memcpy(&displacement, code1 + 2, 4);
  const uint8_t* thunk = code1 + 6 + displacement;
  uint64_t target;
  ASSERT_EQ(thunk[0], 0x49);
  ASSERT_EQ(thunk[1], 0xBB);
  std::memcpy(&target, thunk + 2, 8);
  EXPECT_EQ(target, reinterpret_cast<uint64_t>(&runtime_init_stand_in));

  // Classes: the listed ones at their indexes, the runtime's classes the tables name, the control's own.
  ql::testing::define_runtime_classes();
  ql::ClassBuild build;
  ql::CodeRange range{{image.code1_address, image.link.code1_length}, reinterpret_cast<uintptr_t>(code1)};
  ASSERT_TRUE(ql::build_classes(image.data1, image.project.class_words, image.project.class_count, range,
                                build, failure))
      << failure;
  const std::vector<ql::ClassObject*>& classes = build.array.classes;
  ASSERT_EQ(classes.size(), 10u);
  const char* references[] = {"Application", nullptr,    nullptr,        "Applet", "Listbox",
                              "Canvas",      "MenuItem", "QuitMenuItem", "Timer"};
  for (size_t i = 0; i < std::size(references); ++i) {
    if (references[i]) {
      EXPECT_EQ(classes[i], ql::builtin_class(references[i])) << i;
    }
  }
  const ql::ClassObject& app = *classes[1];
  EXPECT_EQ(ql::class_name(&app), "LoquatApp");
  EXPECT_EQ(app.superclass, ql::builtin_class("Application"));
  EXPECT_EQ(build.array.application_index, 1);
  ASSERT_EQ(app.hooks.size(), 1u);
  EXPECT_EQ(app.hooks[0].code, reinterpret_cast<uintptr_t>(code1 + kAppOpenAt));
  ASSERT_EQ(app.menu_handlers.size(), 1u);
  EXPECT_EQ(app.menu_handlers[0].item_name, "FileQuit");
  EXPECT_EQ(app.menu_handlers[0].code, reinterpret_cast<uintptr_t>(code1 + kAppQuitAt));
  EXPECT_EQ(classes[2]->superclass, ql::builtin_class("Applet"));
  const ql::ClassObject& box = *classes[9];
  EXPECT_EQ(ql::class_name(&box), "");
  EXPECT_EQ(box.superclass, ql::builtin_class("Canvas"));
  EXPECT_EQ(box.instance_size, ql::builtin_class("Canvas")->instance_size);  // the superclass's size
  ASSERT_EQ(box.hooks.size(), 1u);
  EXPECT_EQ(box.hooks[0].name, "Paint");
  EXPECT_EQ(box.hooks[0].code, reinterpret_cast<uintptr_t>(code1 + kCanvasPaintAt));
  EXPECT_TRUE(build.diagnostics.empty());

  // The window description, through the pointer the compiled code holds to its symbol.
  uint32_t window_at = global_word(image, kWindowRefAt);
  const uint8_t* length = image.data1.at(window_at, 4);
  ASSERT_NE(length, nullptr);
  ql::image::WindowDescription window;
  ASSERT_TRUE(ql::image::decode_window_description(length + 4, ql::image::read_word(length), window, failure))
      << failure;
  EXPECT_EQ(classes[window.class_index], classes[2]);
  ASSERT_EQ(window.properties.size(), 3u);
  EXPECT_EQ(window.properties[1].value, "Loquat \xE9");
  ASSERT_EQ(window.controls.size(), 4u);
  EXPECT_EQ(classes[window.controls[0].class_index], ql::builtin_class("Listbox"));
  EXPECT_EQ(window.controls[0].properties[1].value, "-2147483648");
  for (int member = 0; member < 3; ++member) {
    const ql::image::ControlRecord& control = window.controls[1 + member];
    EXPECT_EQ(classes[control.class_index], &box);
    ASSERT_EQ(control.properties.size(), 3u);
    EXPECT_EQ(control.properties[1].name, "Index");
    EXPECT_EQ(control.properties[1].value, std::to_string(member));
    EXPECT_EQ(control.properties[2].value, "one\rtwo\tthree");
  }
  EXPECT_TRUE(window.bindings.empty());

  // The menu bar, with its submenu and the QuitMenuItem.
  ql::image::StreamRecord stream;
  uint32_t menu_at = item_address(image, 5);
  ASSERT_TRUE(
      ql::image::decode_menu_bar_item(image.data1.at(menu_at, 8), image.data1.length, stream, failure));
  ql::image::MenuBarStream menu_bar;
  ASSERT_TRUE(ql::image::decode_menu_bar(stream.bytes, stream.length, menu_bar, failure)) << failure;
  ASSERT_EQ(menu_bar.menus.size(), 2u);
  const ql::image::MenuEntry& file = menu_bar.menus[0];
  EXPECT_EQ(file.text, "File");
  ASSERT_EQ(file.items.size(), 4u);
  EXPECT_TRUE(file.items[1].has_submenu);
  ASSERT_EQ(file.items[1].items.size(), 1u);
  EXPECT_EQ(file.items[1].items[0].name, "FileFontFontname");
  EXPECT_EQ(file.items[1].items[0].index, 0);
  EXPECT_EQ(static_cast<uint32_t>(file.items[0].index), ql::image::kMissingIndex);
  EXPECT_EQ(file.items[2].text, "-");
  EXPECT_EQ(file.items[3].command_key, "Q");
  EXPECT_EQ(classes[file.items[3].class_index], ql::builtin_class("QuitMenuItem"));
  EXPECT_EQ(classes[file.items[0].class_index], ql::builtin_class("MenuItem"));
  EXPECT_EQ(menu_bar.menus[1].text, "Sounds");
  EXPECT_TRUE(menu_bar.menus[1].items.empty());

  // The picture: 5-5-5 pixels from the top 5 bits, the transparent pixel white, rows padded to 8 bytes.
  ASSERT_EQ(image.project.item_count, 6u);
  uint32_t picture_at = item_address(image, 1);
  ql::image::PictureRecord picture;
  ASSERT_TRUE(ql::image::decode_picture_record(image.data1.at(picture_at, 4),
                                               image.data1.length - (picture_at - image.data1.address),
                                               picture, failure))
      << failure;
  EXPECT_EQ(picture.transparent, 1u);
  EXPECT_EQ(picture.depth, 16u);
  EXPECT_EQ(picture.width, 3u);
  EXPECT_EQ(picture.height, 2u);
  EXPECT_EQ(picture.byte_count, 16u);
  std::vector<uint16_t> pixels;
  for (int row = 0; row < 2; ++row) {
    for (int x = 0; x < 4; ++x) {
      pixels.push_back(
          static_cast<uint16_t>(picture.pixels[row * 8 + 2 * x] | picture.pixels[row * 8 + 2 * x + 1] << 8));
    }
  }
  EXPECT_EQ(pixels, (std::vector<uint16_t>{0x7C00, 0x03E0, 0x001F, 0, 0x7FFF, 0x7FFF, 0x4210, 0}));

  // The sound's bytes as they are, the gap at item 3, the implicit instance's global.
  ql::image::SoundRecord sound;
  uint32_t sound_at = item_address(image, 2);
  ASSERT_TRUE(ql::image::decode_sound_record(image.data1.at(sound_at, 8), 8 + 7, sound, failure)) << failure;
  EXPECT_EQ(Bytes(sound.samples, sound.samples + sound.length), fixture_sound());
  EXPECT_EQ(item_address(image, 3), 0u);
  ql::image::ImplicitInstanceRecord instance;
  ASSERT_TRUE(
      ql::image::decode_implicit_instance(image.data1.at(item_address(image, 4), 12), 12, instance, failure));
  EXPECT_EQ(classes[instance.class_index], ql::builtin_class("Timer"));
  EXPECT_EQ(instance.global, image.data1.address + 8 + kTimerAt);

  ql::image::Settings settings;
  ql::image::SettingsStream settings_stream =
      ql::image::settings_stream(image.data1.at(item_address(image, 6), 12));
  ASSERT_TRUE(ql::image::parse_settings(settings_stream.bytes, settings_stream.length, settings));
  EXPECT_EQ(settings.mdi_title, "Loquat 1.2");

  // The stored plug-in, through the head word that ql_plugin_chain_head names.
  const uint8_t* head = image.data1.at(global_word(image, kChainRefAt), 4);
  ASSERT_NE(head, nullptr);
  std::vector<ql::image::StoredPlugin> plugins;
  ASSERT_TRUE(ql::image::walk_plugin_chain(image.data1, ql::image::read_word(head), plugins, failure))
      << failure;
  ASSERT_EQ(plugins.size(), 1u);
  EXPECT_EQ(plugins[0].file_name, "quilapp1.dll");
  Bytes stored(plugins[0].bytes, plugins[0].bytes + plugins[0].length);
  EXPECT_EQ(stored, minimal_pe());
}

}  // namespace
}  // namespace qltest
