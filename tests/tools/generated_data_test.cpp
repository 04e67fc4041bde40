// The data qlimage generates, read back the way the runtime reads it.
#include "qlimage/generated_data.h"

#include <gtest/gtest.h>

#include "qlimage/settings_stream.h"
#include "image/stream_reader.h"

namespace qlimage {
namespace {

TEST(GeneratedData, StringConstantLayoutPerTarget) {
  Bytes data1(8, 0);
  std::vector<DataWord> words;
  uint32_t header = append_string_constant(data1, "Hi", coff::kMachineI386, words);
  Bytes expected = {0, 0, 0, 0, 0, 0, 0, 0, 2, 'H', 'i', 0, 1, 0, 0, 0, 8, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0};
  EXPECT_EQ(header, 12u);
  EXPECT_EQ(data1, expected);
  ASSERT_EQ(words.size(), 1u);
  EXPECT_EQ(words[0].offset, 16u);
  EXPECT_FALSE(words[0].code);

  Bytes wide(4, 0);
  words.clear();
  header = append_string_constant(wide, "abcd", coff::kMachineAmd64, words);
  // Buffer at 4: 4 "abcd" 0, padded to 12; the 24-byte header aligned to 16.
  Bytes expected_wide = {0, 0, 0, 0, 4, 'a', 'b', 'c', 'd', 0, 0, 0, 0, 0, 0, 0,  //
                         1, 0, 0, 0, 0, 0,   0,   0,   4,   0, 0, 0, 0, 0, 0, 0,  //
                         4, 0, 0, 0, 4, 0,   0,   0};
  EXPECT_EQ(header, 16u);
  EXPECT_EQ(wide, expected_wide);
  ASSERT_EQ(words.size(), 1u);
  EXPECT_EQ(words[0].offset, 24u);

  Bytes long_text(0, 0);
  std::string text(300, 'x');
  append_string_constant(long_text, text, coff::kMachineI386, words);
  EXPECT_EQ(long_text[0], 255);  // the length byte saturates
  EXPECT_EQ(long_text[301], 0);  // the whole text is kept, NUL-terminated
  EXPECT_EQ(load_u32(&long_text[304 + 8]), 300u);
  EXPECT_EQ(load_u32(&long_text[304 + 12]), 300u);
}

TEST(GeneratedData, SettingsStreamReadsBackThroughTheRuntimeReader) {
  Settings settings;
  settings.font_flag = 1;
  settings.script_code = 0x01020304;
  settings.file_types = {{"Text", "TEXT", "????", {".txt", ".text"}}, {"Any", "", "", {}}};
  settings.messages = {"", "m1", std::string(100, 'z')};
  settings.mdi = true;
  settings.mdi_title = "Loquat 1.2";
  Bytes stream = encode_settings_stream(settings);
  Bytes prefix(stream.begin(), stream.begin() + 10);
  Bytes expected_prefix = {1, 0, 0, 0, 0, 1, 2, 3, 4, 2};
  EXPECT_EQ(prefix, expected_prefix);

  ql::image::StreamReader reader(stream.data(), static_cast<uint32_t>(stream.size()));
  EXPECT_EQ(reader.byte(), 1);
  EXPECT_EQ(reader.u32_be(), 0u);
  EXPECT_EQ(reader.u32_be(), 0x01020304u);
  ASSERT_EQ(reader.varint(), 2);
  EXPECT_EQ(reader.text(), "Text");
  EXPECT_EQ(reader.text(), "TEXT");
  EXPECT_EQ(reader.text(), "????");
  EXPECT_EQ(reader.text(), ".txt;.text");
  for (int i = 0; i < 4; ++i) reader.text();
  ASSERT_EQ(reader.varint(), 3);
  EXPECT_EQ(reader.text(), "");
  EXPECT_EQ(reader.text(), "m1");
  EXPECT_EQ(reader.text(), std::string(100, 'z'));
  EXPECT_EQ(reader.byte(), 1);
  EXPECT_EQ(reader.text(), "Loquat 1.2");
  EXPECT_TRUE(reader.ok());
  EXPECT_EQ(reader.remaining(), 0u);

  std::string problem;
  std::optional<Settings> decoded = decode_settings_stream(stream, problem);
  ASSERT_TRUE(decoded) << problem;
  EXPECT_EQ(decoded->file_types[0].extensions, settings.file_types[0].extensions);
  EXPECT_EQ(decoded->messages, settings.messages);
  EXPECT_EQ(decoded->mdi_title, settings.mdi_title);
  stream.pop_back();
  EXPECT_FALSE(decode_settings_stream(stream, problem));

  Bytes data1(6, 0);
  uint32_t item = append_settings_item(data1, settings);
  EXPECT_EQ(item, 8u);
  EXPECT_EQ(load_u32(&data1[8]), 4u);   // kind
  EXPECT_EQ(load_u32(&data1[12]), 0u);  // chain head
  EXPECT_EQ(load_u32(&data1[16]), stream.size() + 1);
}

TEST(GeneratedData, ProjectTableRelocatesOnlyFilledSlots) {
  Bytes data1(5, 0);
  std::vector<DataWord> words;
  uint32_t table = append_project_table(data1, {0x40}, {0x80, 0, 0x90}, words);
  EXPECT_EQ(table, 8u);
  std::vector<uint32_t> values;
  for (uint32_t at = table; at < data1.size(); at += 4) values.push_back(load_u32(&data1[at]));
  EXPECT_EQ(values, (std::vector<uint32_t>{1, 0x40, 3, 0x80, 0, 0x90}));
  std::vector<uint32_t> relocated;
  for (const DataWord& word : words) relocated.push_back(word.offset);
  EXPECT_EQ(relocated, (std::vector<uint32_t>{12, 20, 28}));
}

}  // namespace
}  // namespace qlimage
