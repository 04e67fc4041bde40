// Window descriptions and the menu bar stream: what is encoded decodes the same, and damaged streams (cut
// short, counts past the end, nesting without end, random bytes) are refused with a reason, never read
// past their end.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "image/menu_bar_stream.h"
#include "image/stream_reader.h"
#include "image/window_description.h"

namespace ql::image {
namespace {

WindowDescription sample_window() {
  WindowDescription d;
  d.class_index = 3;
  d.properties = {{"Name", "Cloze"}, {"Width", "796"}, {"Title", ""}};
  d.controls = {{7, {{"Name", "BoxStrip"}, {"Index", "30"}}},
                {9, {{"Name", "bigCanvas"}, {"Index", "-2147483648"}}}};
  d.bindings = {{0, 1, 12, "left", ""}};
  return d;
}

MenuEntry entry(int32_t kind, const char* text, const char* name) {
  MenuEntry e;
  e.kind = kind;
  e.text = text;
  e.name = name;
  return e;
}

MenuBarStream sample_menu_bar() {
  MenuEntry font = entry(kMenuEntryItem, "Font", "FileFont");
  font.index = static_cast<int32_t>(0x80000000u);
  font.has_submenu = true;
  MenuEntry fontname = entry(kMenuEntryItem, "Fontname", "FileFontFontname");
  font.items.push_back(fontname);
  MenuEntry quit = entry(kMenuEntryItem, "Quit", "FileQuit");
  quit.command_key = "Q";
  quit.class_index = 12;
  MenuEntry file = entry(kMenuEntryItem, "File", "");
  file.items = {font, entry(kMenuEntryItem, "-", ""), quit};
  return {{file, entry(kMenuEntryNotBuilt, "Hidden", "")}};
}

TEST(WindowStreams, WhatIsEncodedDecodesTheSame) {
  std::vector<uint8_t> bytes = encode_window_description(sample_window());
  WindowDescription decoded;
  std::string problem;
  ASSERT_TRUE(decode_window_description(bytes.data(), static_cast<uint32_t>(bytes.size()), decoded, problem))
      << problem;
  EXPECT_EQ(decoded.class_index, 3);
  ASSERT_EQ(decoded.properties.size(), 3u);
  EXPECT_EQ(decoded.properties[1].value, "796");
  ASSERT_EQ(decoded.controls.size(), 2u);
  EXPECT_EQ(decoded.controls[0].class_index, 7);
  EXPECT_EQ(decoded.controls[1].properties[1].value, "-2147483648");
  ASSERT_EQ(decoded.bindings.size(), 1u);
  EXPECT_EQ(decoded.bindings[0].binder_class, 12);
  EXPECT_EQ(decoded.bindings[0].first_part, "left");

  std::vector<uint8_t> menu_bytes = encode_menu_bar(sample_menu_bar());
  MenuBarStream menu_bar;
  ASSERT_TRUE(decode_menu_bar(menu_bytes.data(), static_cast<uint32_t>(menu_bytes.size()), menu_bar, problem))
      << problem;
  ASSERT_EQ(menu_bar.menus.size(), 2u);
  const MenuEntry& file = menu_bar.menus[0];
  ASSERT_EQ(file.items.size(), 3u);
  EXPECT_TRUE(file.items[0].has_submenu);
  EXPECT_EQ(file.items[0].items[0].name, "FileFontFontname");
  EXPECT_EQ(file.items[2].command_key, "Q");
  EXPECT_EQ(file.items[2].class_index, 12);
  EXPECT_EQ(menu_bar.menus[1].kind, kMenuEntryNotBuilt);
}

TEST(WindowStreams, TheOldFormsOfNoIndexReadAsTheMissingIndex) {
  for (uint32_t old : {0x80000010u, 0x80100000u}) {
    MenuBarStream bar = sample_menu_bar();
    bar.menus[0].items[2].index = static_cast<int32_t>(old);
    std::vector<uint8_t> bytes = encode_menu_bar(bar);
    MenuBarStream decoded;
    std::string problem;
    ASSERT_TRUE(decode_menu_bar(bytes.data(), static_cast<uint32_t>(bytes.size()), decoded, problem));
    EXPECT_EQ(static_cast<uint32_t>(decoded.menus[0].items[2].index), kMissingIndex);
  }
}

TEST(WindowStreams, DamagedStreamsAreRefusedWithAReason) {
  std::vector<uint8_t> window = encode_window_description(sample_window());
  std::vector<uint8_t> menu = encode_menu_bar(sample_menu_bar());
  std::string problem;
  // Every cut short of the whole stream is refused.
  for (size_t n = 0; n < window.size(); ++n) {
    WindowDescription d;
    EXPECT_FALSE(decode_window_description(window.data(), static_cast<uint32_t>(n), d, problem)) << n;
    EXPECT_FALSE(problem.empty());
  }
  for (size_t n = 0; n < menu.size(); ++n) {
    MenuBarStream m;
    EXPECT_FALSE(decode_menu_bar(menu.data(), static_cast<uint32_t>(n), m, problem)) << n;
  }
  // A count past what the stream holds.
  std::vector<uint8_t> huge;
  write_varint(huge, 1000000);
  WindowDescription d;
  EXPECT_FALSE(decode_window_description(huge.data(), static_cast<uint32_t>(huge.size()), d, problem));
  EXPECT_NE(problem.find("count"), std::string::npos) << problem;
  // Submenus nesting deeper than any menu bar does.
  MenuEntry deepest = entry(kMenuEntryItem, "x", "");
  for (int depth = 0; depth < kMaxMenuDepth + 4; ++depth) {
    MenuEntry outer = entry(kMenuEntryItem, "x", "");
    outer.has_submenu = true;
    outer.items.push_back(deepest);
    deepest = outer;
  }
  MenuBarStream deep{{deepest}};
  std::vector<uint8_t> deep_bytes = encode_menu_bar(deep);
  MenuBarStream m;
  EXPECT_FALSE(decode_menu_bar(deep_bytes.data(), static_cast<uint32_t>(deep_bytes.size()), m, problem));
  EXPECT_NE(problem.find("nest"), std::string::npos) << problem;
}

TEST(WindowStreams, RandomlyDamagedStreamsDecodeOrAreRefusedNeverReadingPastTheEnd) {
  std::mt19937 random(20261209);
  const std::vector<uint8_t> window = encode_window_description(sample_window());
  const std::vector<uint8_t> menu = encode_menu_bar(sample_menu_bar());
  for (int round = 0; round < 3000; ++round) {
    std::vector<uint8_t> w = window, m = menu;
    for (int hits = 1 + static_cast<int>(random() % 4); hits > 0; --hits) {
      w[random() % w.size()] = static_cast<uint8_t>(random());
      m[random() % m.size()] = static_cast<uint8_t>(random());
    }
    // Copies of exactly their length, so that a read past the end is one AddressSanitizer sees.
    std::vector<uint8_t> exact_w(w), exact_m(m);
    WindowDescription d;
    MenuBarStream bar;
    std::string problem;
    if (!decode_window_description(exact_w.data(), static_cast<uint32_t>(exact_w.size()), d, problem)) {
      EXPECT_FALSE(problem.empty());
    }
    if (!decode_menu_bar(exact_m.data(), static_cast<uint32_t>(exact_m.size()), bar, problem)) {
      EXPECT_FALSE(problem.empty());
    }
  }
}

}  // namespace
}  // namespace ql::image
