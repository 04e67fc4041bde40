// Writing data2: runs and skips within their limits, overlaps refused, 64-bit pointers.
#include "qlimage/data2_writer.h"

#include <gtest/gtest.h>

#include "tools/coff_builder.h"
#include "tools/link_helpers.h"

namespace qltest {
namespace {

std::vector<uint16_t> words_of(const Bytes& data2) {
  std::vector<uint16_t> words;
  for (size_t i = 0; i + 1 < data2.size(); i += 2) words.push_back(qlimage::load_u16(&data2[i]));
  return words;
}

TEST(Data2Writer, RunsAndSkipsStayWithinTheirLimits) {
  std::vector<qlimage::DataWord> words;
  for (uint32_t i = 0; i < 600; ++i) words.push_back({8 + 4 * i, false});  // 600 words: 512 + 88
  uint32_t after_gap = 8 + 4 * 600 + 10000;                                // 10000 bytes: 4096 + 4096 + 1808
  words.push_back({after_gap, true});
  words.push_back({after_gap + 4, false});
  words.push_back({after_gap + 8, false});
  words.push_back({2, true});  // unaligned and out of order
  qlimage::Diagnostics diagnostics;
  std::optional<Bytes> data2 = qlimage::write_data2(words, after_gap + 12, diagnostics);
  ASSERT_TRUE(data2) << diagnostics.errors[0];
  std::vector<uint16_t> expected = {0x8001, 0x4000, 0x8001, 0x43FF, 0x4257,
                                    0x8FFF, 0x8FFF, 0x870F, 0x4000, 0x4201};
  EXPECT_EQ(words_of(*data2), expected);

  // Applying them as the runtime does touches exactly the listed words.
  qlimage::Image image;
  image.data1.assign(after_gap + 12, 0);
  image.data2 = *data2;
  LoadedImage loaded = load(image, 0x1000, 0x100000);
  std::vector<bool> listed(loaded.data1.size(), false);
  for (const qlimage::DataWord& word : words) {
    EXPECT_EQ(loaded.data_word(word.offset), word.code ? 0x1000u : 0x100000u) << word.offset;
    for (uint32_t k = 0; k < 4; ++k) listed[word.offset + k] = true;
  }
  for (uint32_t at = 0; at < loaded.data1.size(); ++at) {
    if (!listed[at]) {
      ASSERT_EQ(loaded.data1[at], 0) << "byte " << at << " was not to be touched";
    }
  }
}

TEST(Data2Writer, RejectsOverlapsAndWordsPastTheEnd) {
  qlimage::Diagnostics overlap;
  EXPECT_FALSE(qlimage::write_data2({{0, false}, {2, false}}, 16, overlap));
  EXPECT_NE(overlap.errors.at(0).find("data1+0x2 overlaps"), std::string::npos);
  qlimage::Diagnostics past;
  EXPECT_FALSE(qlimage::write_data2({{14, false}}, 16, past));
  EXPECT_NE(past.errors.at(0).find("past the end of data1"), std::string::npos);
}

TEST(Data2Writer, SixtyFourBitPointersRelocateOnlyTheirLowWord) {
  CoffBuilder builder(coff::kMachineAmd64);
  int text = builder.section(".text", kCode, {0xC3});
  builder.symbol("main", text, 0);
  int data = builder.section(".data", kData, Bytes(24, 0), 8);
  for (uint32_t i = 0; i < 3; ++i) {
    builder.reloc(data, 8 * i, builder.section_symbol(text), coff::kAmd64Addr64);
  }
  LinkRun run = link({{"pointers.o", builder.build()}});
  ASSERT_TRUE(run.image) << run.errors();
  // Header words, then at data1+8 three pointers: each low word relocated, each high word skipped.
  std::vector<uint16_t> words = words_of(run.image->data2);
  std::vector<uint16_t> head(words.begin(), words.begin() + 7);
  std::vector<uint16_t> expected = {0x4000, 0x4200, 0x4000, 0x8003, 0x4000, 0x8003, 0x4000};
  EXPECT_EQ(head, expected);
}

}  // namespace
}  // namespace qltest
