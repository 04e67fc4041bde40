// Installing an image: placing, linking, relocating and checking it, calls through the entry gate, damage.
#include "start/image_install.h"

#include <gtest/gtest.h>

#include <random>

#include "image/settings_record.h"
#include "image/stream_reader.h"
#include "unit/image/image_bytes.h"
#include "values/entry_gate.h"

namespace ql::test {
namespace {

// What the entry point saw of the entry gate while compiled code called it.
size_t boundaries_seen = 0;
EntryBoundary innermost_seen{};

int routine() {
  EntryBoundaries live = live_entry_boundaries();
  boundaries_seen = live.count;
  if (live.count) innermost_seen = live.records[live.count - 1];
  return 7;
}
const EntryPoint kTable[] = {{"StringLen", reinterpret_cast<void*>(&routine), {0, 0}}};

Bytes settings_stream() {
  Bytes s;
  s.push_back(1);              // font flag
  image::write_u32_be(s, 0);   // reserved
  image::write_u32_be(s, 13);  // script code
  image::write_varint(s, 1);   // one file type
  for (const char* text : {"Text", "TEXT", "ttxt", ".txt;.text"}) image::write_text(s, text);
  image::write_varint(s, 5);
  for (const char* text : {"a", "b", "c", "d", "An exception of class %1 was not handled.\rThe end."})
    image::write_text(s, text);
  s.push_back(1);
  image::write_text(s, "Loquat 1.2");
  return s;
}

// A small image: code1 calls StringLen once; data1 holds the header, a settings item and the table.
struct Image {
  image::ImageBlocks blocks;
  uint32_t table_offset = 0;
  uint32_t item_offset = 0;

  Image() {
    Bytes code1 = {0x55, 0xE8, 0, 0, 0, 0, 0x5D, 0xC3};
    blocks[image::kCode1] = code1;
    import_record(blocks[image::kCode2], 2, "stringlen");
    Bytes& data1 = blocks[image::kData1];
    put_u32(data1, 0);  // entry: code1 offset 0
    put_u32(data1, 0);  // project table, set below
    item_offset = static_cast<uint32_t>(data1.size());
    Bytes stream = settings_stream();
    put_u32(data1, image::kItemSettings);
    put_u32(data1, 0);
    put_u32(data1, static_cast<uint32_t>(stream.size()));
    data1.insert(data1.end(), stream.begin(), stream.end());
    while (data1.size() % 4) data1.push_back(0);
    table_offset = static_cast<uint32_t>(data1.size());
    set_u32(data1, 4, table_offset);
    put_u32(data1, 0);  // no classes
    put_u32(data1, 2);  // two items, the second slot empty
    put_u32(data1, item_offset);
    put_u32(data1, 0);
    Bytes& data2 = blocks[image::kData2];
    put_u16(data2, 0x4000);                                                      // entry word
    put_u16(data2, 0x4200);                                                      // table word
    put_u16(data2, static_cast<uint16_t>(0x8000 | (table_offset + 8 - 8 - 1)));  // to the first item word
    put_u16(data2, 0x4200);
  }
};

TEST(ImageInstall, PlacesLinksRelocatesAndChecks) {
  Image source;
  LoadedImage image;
  std::string failure;
  ASSERT_TRUE(image::install_image(source.blocks, kTable, image, failure)) << failure;
  EXPECT_LT(reinterpret_cast<uintptr_t>(image.link.code1), 0x80000000u);
  EXPECT_EQ(image.data1.address - image.code1_address, image::data1_offset_in_region(8));
  EXPECT_EQ(reinterpret_cast<uintptr_t>(image::entry_routine(image)), image.code1_address);
  EXPECT_EQ(image.project.class_count, 0u);
  ASSERT_EQ(image.project.item_count, 2u);
  EXPECT_EQ(image::read_word(image.project.item_words), image.data1.address + source.item_offset);
  EXPECT_TRUE(source.blocks[image::kCode2].empty());  // code2 and data2 are released after use
  EXPECT_TRUE(source.blocks[image::kData2].empty());

  const uint8_t* record = image.data1.at(image::read_word(image.project.item_words), 4);
  ASSERT_NE(record, nullptr);
  image::SettingsStream stream = image::settings_stream(record);
  image::Settings settings;
  ASSERT_TRUE(image::parse_settings(stream.bytes, stream.length, settings));
  EXPECT_EQ(settings.font_flag, 1);
  EXPECT_EQ(settings.font_charset, 128);
  ASSERT_EQ(settings.file_types.size(), 1u);
  EXPECT_EQ(settings.file_types[0].extensions, ".txt;.text");
  ASSERT_EQ(settings.messages.size(), 5u);
  EXPECT_EQ(settings.messages[4], "An exception of class %1 was not handled.\rThe end.");
  EXPECT_TRUE(settings.mdi);
  EXPECT_EQ(settings.mdi_title, "Loquat 1.2");
  image::release_image(image);
  EXPECT_EQ(image.link.code1, nullptr);
}

TEST(ImageInstall, CompiledCodeReachesEntryPointsThroughTheEntryGate) {
  // code1 is push ebp/rbp; call StringLen; pop; ret: the same bytes on both kinds of x86.
  Image source;
  LoadedImage image;
  std::string failure;
  ASSERT_TRUE(image::install_image(source.blocks, kTable, image, failure)) << failure;
  const size_t outside = live_entry_boundaries().count;
  boundaries_seen = 0;
  EXPECT_EQ(reinterpret_cast<int (*)()>(image::entry_routine(image))(), 7);
  // During the call one more record stood, naming the call's return address in code1; afterwards it is gone.
  EXPECT_EQ(boundaries_seen, outside + 1);
  EXPECT_EQ(innermost_seen.return_address, image.code1_address + 6u);
  EXPECT_EQ(live_entry_boundaries().count, outside);
  image::release_image(image);
}

TEST(ImageInstall, RefusesDamagedImages) {
  struct Case {
    const char* what;
    void (*damage)(Image&);
  };
  const Case cases[] = {
      {"entry outside code1", [](Image& i) { set_u32(i.blocks[image::kData1], 0, 100); }},
      {"table outside data1", [](Image& i) { set_u32(i.blocks[image::kData1], 4, 0x100000); }},
      {"too many classes", [](Image& i) { set_u32(i.blocks[image::kData1], i.table_offset, 0x10000); }},
      {"item outside data1", [](Image& i) { set_u32(i.blocks[image::kData1], i.table_offset + 8, 0x4000); }},
      {"settings cut short", [](Image& i) { set_u32(i.blocks[image::kData1], i.item_offset + 8, 12); }},
      {"settings past data1", [](Image& i) { set_u32(i.blocks[image::kData1], i.item_offset + 8, 1000); }},
      {"settings chain outside data1",
       [](Image& i) { set_u32(i.blocks[image::kData1], i.item_offset + 4, 16); }},
      {"implicit instance's global outside data1",
       [](Image& i) { set_u32(i.blocks[image::kData1], i.item_offset, image::kItemImplicitInstance); }},
      {"data1 too short", [](Image& i) { i.blocks[image::kData1].resize(6); }},
  };
  for (const Case& c : cases) {
    Image source;
    c.damage(source);
    LoadedImage image;
    std::string failure;
    EXPECT_FALSE(image::install_image(source.blocks, kTable, image, failure)) << c.what;
    EXPECT_EQ(failure.rfind("The application image is damaged: ", 0), 0u) << c.what << ": " << failure;
  }
}

// Random damage to any block either installs (the damage hit nothing the loader relies on) or is refused with
// a text; under the sanitizers, nothing reads or writes outside the blocks.
TEST(ImageInstall, RandomlyDamagedImagesNeverCrash) {
  std::mt19937 random(20261208);
  int refused = 0;
  for (int round = 0; round < 300; ++round) {
    Image source;
    for (int hits = 1 + round % 4; hits > 0; --hits) {
      Bytes& block = source.blocks[static_cast<image::Block>(random() % image::kBlockCount)];
      if (block.empty()) continue;
      if (random() % 8 == 0) {
        block.resize(random() % block.size());
      } else {
        block[random() % block.size()] = static_cast<uint8_t>(random());
      }
    }
    LoadedImage image;
    std::string failure;
    if (image::install_image(source.blocks, kTable, image, failure)) {
      image::release_image(image);
      continue;
    }
    ++refused;
    EXPECT_FALSE(failure.empty()) << "round " << round;
  }
  EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace ql::test
