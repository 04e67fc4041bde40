// The blocks as they take shape: lay_out_sections places the chosen sections in code1 and data1 (data1 after
// its two header words: writable data, read-only data, zero-filled data), then place_records appends
// qlimage's own records behind them, fills in their pointer words and gives each generated symbol its offset.
#pragma once

#include <optional>
#include <vector>

#include "qlimage/bytes.h"
#include "qlimage/data1_records.h"
#include "qlimage/diagnostics.h"
#include "qlimage/link_model.h"

namespace qlimage {

struct Layout {
  Bytes code1;
  Bytes data1;
  uint32_t data1_in_region = 0;            // where data1 sits relative to code1 when loaded
  std::vector<uint32_t> generated_offset;  // data1 offsets of the generated symbols
  std::vector<DataWord> data_words;        // the relocated words of qlimage's own records
};

// Sets every kept section's offset in `resolution`.
std::optional<Layout> lay_out_sections(Resolution& resolution, Diagnostics& diagnostics);

// Places the records in their order (a record with a fixed offset is written over the bytes there).
bool place_records(const Data1Records& records, const Resolution& resolution, Layout& layout,
                   Diagnostics& diagnostics);

}  // namespace qlimage
