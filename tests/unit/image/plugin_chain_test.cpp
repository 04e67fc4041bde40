// Walking the stored plug-in chain, and refusing chains that leave data1 or loop.
#include "image/plugin_chain.h"

#include <gtest/gtest.h>

#include "unit/image/image_bytes.h"

namespace ql::test {
namespace {

void add_node(Bytes& data1, uint32_t next, const std::string& name, const std::string& file) {
  put_u32(data1, next);
  put_u32(data1, static_cast<uint32_t>(5 + name.size() + file.size()));
  put_u32(data1, 0);
  data1.push_back(static_cast<uint8_t>(name.size()));
  data1.insert(data1.end(), name.begin(), name.end());
  data1.insert(data1.end(), file.begin(), file.end());
}

TEST(StoredPlugins, WalksTheChainAndRefusesBrokenOnes) {
  const uint32_t base = 0x10000;
  Bytes data1(8, 0);
  add_node(data1, base + 40, "quilapp1.dll", "MZ12");  // 8 .. 37
  data1.resize(40, 0);
  add_node(data1, 0, "b.dll", "");
  image::Data1View view{data1.data(), static_cast<uint32_t>(data1.size()), base};

  std::vector<image::StoredPlugin> plugins;
  std::string error;
  ASSERT_TRUE(image::walk_plugin_chain(view, base + 8, plugins, error)) << error;
  ASSERT_EQ(plugins.size(), 2u);
  EXPECT_EQ(plugins[0].file_name, "quilapp1.dll");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(plugins[0].bytes), plugins[0].length), "MZ12");
  EXPECT_EQ(plugins[1].file_name, "b.dll");
  EXPECT_EQ(plugins[1].length, 0u);

  plugins.clear();
  EXPECT_TRUE(image::walk_plugin_chain(view, 0, plugins, error));
  EXPECT_TRUE(plugins.empty());

  Bytes looping = data1;
  set_u32(looping, 40, base + 8);  // the second node leads back to the first
  image::Data1View loop_view{looping.data(), static_cast<uint32_t>(looping.size()), base};
  EXPECT_FALSE(image::walk_plugin_chain(loop_view, base + 8, plugins, error));

  Bytes oversized = data1;
  set_u32(oversized, 12, 1000);  // the first file claims more bytes than data1 has
  image::Data1View big_view{oversized.data(), static_cast<uint32_t>(oversized.size()), base};
  EXPECT_FALSE(image::walk_plugin_chain(big_view, base + 8, plugins, error));
  EXPECT_FALSE(image::walk_plugin_chain(view, base + 4000, plugins, error));
}

}  // namespace
}  // namespace ql::test
