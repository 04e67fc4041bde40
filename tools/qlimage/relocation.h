// Applies every relocation of the placed sections: resolves what the link can resolve (relative references
// whose distance the load rule fixes), turns absolute references into code2 data fixups (in code1) or data2
// words (in data1), and collects the call sites of every import.
#pragma once

#include <optional>
#include <vector>

#include "qlimage/diagnostics.h"
#include "qlimage/layout.h"
#include "qlimage/link_model.h"

namespace qlimage {

struct Relocated {
  std::vector<uint32_t> fixups;      // code1 offsets of words holding data1-relative values
  std::vector<DataWord> data_words;  // data1 words holding code1 or data1 offsets
  std::vector<Import> imports;       // the resolution's imports with their call sites
};

std::optional<Relocated> apply_relocations(const Resolution& resolution, Layout& layout,
                                           Diagnostics& diagnostics);

}  // namespace qlimage
