// qlimage's own data1 records: string constants per target, the settings item, the project table's slots.
#include <gtest/gtest.h>

#include "image/data2_relocation.h"
#include "image/item_records.h"
#include "image/project_table.h"
#include "image/settings_record.h"
#include "image/stream_reader.h"
#include "image/string_constant.h"
#include "qlimage/data1_records.h"
#include "qlimage/layout.h"
#include "tools/coff_builder.h"
#include "tools/link_helpers.h"

namespace qltest {
namespace {

// Places the records behind `start` zero bytes the way the link does.
qlimage::Layout placed(const qlimage::Data1Records& records, const qlimage::TargetDescription& target,
                       size_t start) {
  qlimage::Resolution resolution;
  resolution.target = &target;
  qlimage::Layout layout;
  layout.data1.assign(start, 0);
  qlimage::Diagnostics diagnostics;
  EXPECT_TRUE(qlimage::place_records(records, resolution, layout, diagnostics));
  return layout;
}

TEST(GeneratedData, StringConstantLayoutPerTarget) {
  qlimage::Data1Records records;
  qlimage::StringPool pool(records, qlimage::i386_target());
  pool.constant("Hi");
  EXPECT_EQ(pool.constant("Hi").record, 0u);  // one constant per distinct text
  qlimage::Layout narrow = placed(records, qlimage::i386_target(), 6);
  // The buffer at 8 (2, "Hi", NUL), then the 16-byte header: count 1, buffer, size 2, length 2.
  Bytes expected = {0, 0, 0, 0, 0, 0, 0, 0, 2, 'H', 'i', 0, 1, 0, 0, 0, 8, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0};
  EXPECT_EQ(narrow.data1, expected);
  ASSERT_EQ(narrow.data_words.size(), 1u);
  EXPECT_EQ(narrow.data_words[0].offset, 16u);
  EXPECT_FALSE(narrow.data_words[0].code);

  qlimage::Data1Records wide_records;
  qlimage::StringPool wide_pool(wide_records, qlimage::x86_64_target());
  wide_pool.constant("abcd");
  qlimage::Layout wide = placed(wide_records, qlimage::x86_64_target(), 4);
  // Buffer at 8 padded to 8 bytes, then the 24-byte header with the 8-byte buffer pointer at 8.
  Bytes expected_wide = {0, 0, 0, 0, 0, 0, 0, 0, 4, 'a', 'b', 'c', 'd', 0, 0, 0,  //
                         1, 0, 0, 0, 0, 0, 0, 0, 8, 0,   0,   0,   0,   0, 0, 0,  //
                         4, 0, 0, 0, 4, 0, 0, 0};
  EXPECT_EQ(wide.data1, expected_wide);
  ASSERT_EQ(wide.data_words.size(), 1u);
  EXPECT_EQ(wide.data_words[0].offset, 24u);

  qlimage::Data1Records long_records;
  qlimage::StringPool long_pool(long_records, qlimage::i386_target());
  long_pool.constant(std::string(300, 'x'));
  Bytes long_text = placed(long_records, qlimage::i386_target(), 0).data1;
  EXPECT_EQ(long_text[0], 255);  // the length byte saturates
  EXPECT_EQ(long_text[301], 0);  // the whole text is kept, NUL-terminated
  EXPECT_EQ(qlimage::load_u32(&long_text[304 + 8]), 300u);
  EXPECT_EQ(qlimage::load_u32(&long_text[304 + 12]), 300u);
  ql::image::Data1View view{long_text.data(), static_cast<uint32_t>(long_text.size()), 0x1000, 4};
  std::string read_back;
  std::vector<uint8_t> relocated = long_text;
  qlimage::store_u32(relocated.data() + 308, 0x1000);
  view.bytes = relocated.data();
  EXPECT_TRUE(ql::image::read_string_constant(view, 0x1000 + 304, read_back));
  EXPECT_EQ(read_back, std::string(300, 'x'));
}

Bytes entry_object() {
  CoffBuilder builder(coff::kMachineAmd64);
  int text = builder.section(".text", kCode, {0xC3});
  builder.symbol("main", text, 0);
  int data = builder.section(".data", kData, Bytes(16, 0), 8);
  builder.symbol("first_global", data, 0);
  builder.symbol("second_global", data, 8);
  return builder.build();
}

TEST(GeneratedData, SettingsStreamReadsBackThroughTheRuntimeReader) {
  qlimage::Project project;
  qlimage::Settings& settings = project.settings.emplace();
  settings.font_flag = 1;
  settings.script_code = 0x01020304;
  settings.file_types = {{"Text", "TEXT", "????", {".txt", ".text"}}, {"Any", "", "", {}}};
  settings.messages = {"", "m1", std::string(100, 'z')};
  settings.mdi = true;
  settings.mdi_title = "Loquat 1.2";
  LinkRun run = link({{"main.o", entry_object()}}, project);
  ASSERT_TRUE(run.image) << run.errors();
  LoadedImage loaded = load(*run.image, 0x400000, 0x600000);
  ql::image::Data1View data1{loaded.data1.data(), static_cast<uint32_t>(loaded.data1.size()), 0x600000, 8};
  ql::image::ProjectTable table;
  std::string problem;
  ASSERT_TRUE(ql::image::read_project_table(data1, table, problem)) << problem;
  ASSERT_EQ(table.item_count, 1u);  // the settings take the first free number
  const uint8_t* record = data1.at(ql::image::read_word(table.item_words), 12);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(ql::image::read_word(record), 4u);      // kind
  EXPECT_EQ(ql::image::read_word(record + 4), 0u);  // no text links
  ql::image::SettingsStream stream = ql::image::settings_stream(record);
  Bytes prefix(stream.bytes, stream.bytes + 10);
  EXPECT_EQ(prefix, (Bytes{1, 0, 0, 0, 0, 1, 2, 3, 4, 2}));  // font flag, reserved, script code, 2 types

  ql::image::StreamReader reader(stream.bytes + 10, stream.length - 10);
  EXPECT_EQ(reader.text(), "Text");
  EXPECT_EQ(reader.text(), "TEXT");
  EXPECT_EQ(reader.text(), "????");
  EXPECT_EQ(reader.text(), ".txt;.text");  // extensions joined with ";"

  ql::image::Settings decoded;
  ASSERT_TRUE(ql::image::parse_settings(stream.bytes, stream.length, decoded));
  EXPECT_EQ(decoded.font_flag, 1);
  ASSERT_EQ(decoded.file_types.size(), 2u);
  EXPECT_EQ(decoded.file_types[1].name, "Any");
  EXPECT_EQ(decoded.messages, settings.messages);
  EXPECT_TRUE(decoded.mdi);
  EXPECT_EQ(decoded.mdi_title, "Loquat 1.2");
  EXPECT_FALSE(ql::image::parse_settings(stream.bytes, stream.length - 1, decoded));
}

TEST(GeneratedData, ProjectTableRelocatesOnlyFilledSlots) {
  qlimage::Project project;
  project.implicit_instances = {{3, "Timer", "second_global"}, {1, "Timer", "first_global"}};
  LinkRun run = link({{"main.o", entry_object()}}, project);
  ASSERT_TRUE(run.image) << run.errors();
  const Bytes& data1 = run.image->data1;
  uint32_t table = qlimage::load_u32(&data1[4]);
  ASSERT_EQ(qlimage::load_u32(&data1[table]), 1u);  // Timer, appended as a reference
  std::vector<uint32_t> items;
  for (uint32_t k = 0; k < 4; ++k) items.push_back(qlimage::load_u32(&data1[table + 8 + 4 * k]));
  EXPECT_EQ(items[0], 3u);  // three slots, the second a gap
  EXPECT_NE(items[1], 0u);
  EXPECT_EQ(items[2], 0u);
  EXPECT_NE(items[3], 0u);

  std::vector<uint32_t> relocated;
  ql::image::Data2Reader reader(run.image->data2.data(), static_cast<uint32_t>(run.image->data2.size()),
                                static_cast<uint32_t>(data1.size()));
  for (ql::image::Data2Run r; reader.next(r);) {
    for (uint32_t k = 0; k < r.words; ++k) relocated.push_back(static_cast<uint32_t>(r.offset) + 4 * k);
  }
  auto is_relocated = [&](uint32_t at) {
    return std::find(relocated.begin(), relocated.end(), at) != relocated.end();
  };
  EXPECT_TRUE(is_relocated(table + 4));    // the class pointer
  EXPECT_TRUE(is_relocated(table + 12));   // item 1
  EXPECT_FALSE(is_relocated(table + 16));  // the gap stays 0
  EXPECT_TRUE(is_relocated(table + 20));   // item 3

  // Each implicit instance names its global, relocated by data1.
  LoadedImage loaded = load(*run.image, 0x400000, 0x600000);
  ql::image::Data1View view{loaded.data1.data(), static_cast<uint32_t>(loaded.data1.size()), 0x600000, 8};
  for (uint32_t slot : {0u, 2u}) {
    uint32_t pointer = loaded.data_word(table + 12 + 4 * slot);
    ql::image::ImplicitInstanceRecord instance;
    std::string problem;
    ASSERT_TRUE(ql::image::decode_implicit_instance(view.at(pointer, 12), 12, instance, problem)) << problem;
    EXPECT_EQ(instance.class_index, 0u);
    EXPECT_EQ(instance.global, 0x600000u + 8 + 8 * (slot / 2));  // .data follows the header words
  }
}

}  // namespace
}  // namespace qltest
