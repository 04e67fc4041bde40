// The plug-in files stored in data1: a chain of nodes
// {next, size, reserved, name length n, name, file bytes (size - n - 5 of them)}.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "image/project_table.h"

namespace ql::image {

struct StoredPlugin {
  std::string file_name;
  const uint8_t* bytes;
  uint32_t length;
};

// Walks the chain from the node at head (0: none). Fails with error set when a node or its file lies
// outside data1 or the chain loops.
bool walk_plugin_chain(const Data1View& data1, uint32_t head, std::vector<StoredPlugin>& out,
                       std::string& error);

// One node with its next word 0; the word at offset 0 is the one to point at the next node.
// False when the name is empty or longer than 255 bytes.
bool encode_plugin_node(const std::string& file_name, const std::vector<uint8_t>& bytes,
                        std::vector<uint8_t>& out);

}  // namespace ql::image
