// Walking the stored plug-in chain, each node checked to lie inside data1.
#include "image/plugin_chain.h"

namespace ql::image {

bool walk_plugin_chain(const Data1View& data1, uint32_t head, std::vector<StoredPlugin>& out,
                       std::string& error) {
  constexpr uint32_t kNodeHeader = 13;
  uint32_t node = head;
  for (uint32_t steps = 0; node != 0; ++steps) {
    const uint8_t* bytes = data1.at(node, kNodeHeader);
    if (!bytes || steps > data1.length / kNodeHeader) {
      error = "the stored plug-in chain leaves data1";
      return false;
    }
    uint32_t size = read_word(bytes + 4);
    uint8_t name_length = bytes[12];
    if (size < name_length + 5u || !data1.at(node + 8, size)) {
      error = "a stored plug-in's " + std::to_string(size) + " bytes do not fit its node";
      return false;
    }
    out.push_back({std::string(reinterpret_cast<const char*>(bytes + kNodeHeader), name_length),
                   bytes + kNodeHeader + name_length, size - name_length - 5});
    node = read_word(bytes);
  }
  return true;
}

bool encode_plugin_node(const std::string& file_name, const std::vector<uint8_t>& bytes,
                        std::vector<uint8_t>& out) {
  if (file_name.empty() || file_name.size() > 255 || bytes.size() > 0x40000000) return false;
  uint32_t size = static_cast<uint32_t>(5 + file_name.size() + bytes.size());
  out.clear();
  for (uint32_t word : {0u, size, 0u}) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(word >> (8 * i)));
  }
  out.push_back(static_cast<uint8_t>(file_name.size()));
  out.insert(out.end(), file_name.begin(), file_name.end());
  out.insert(out.end(), bytes.begin(), bytes.end());
  return true;
}

}  // namespace ql::image
