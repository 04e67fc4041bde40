// The data that qlimage itself writes into data1: runtime string constants, project items and the project
// table. Each appender aligns data1 as its record needs, appends the record and reports the words that data2
// must relocate.
#pragma once

#include <stdint.h>

#include <string_view>
#include <vector>

#include "qlimage/bytes.h"
#include "qlimage/link_model.h"
#include "qlimage/project.h"

namespace qlimage {

// Returns the data1 offset of the string header, which is what the constant's symbol names.
uint32_t append_string_constant(Bytes& data1, std::string_view text, uint16_t machine,
                                std::vector<DataWord>& words);

// Returns the data1 offset of the item record.
uint32_t append_settings_item(Bytes& data1, const Settings& settings);

// Returns the data1 offset of the table. Pointers of 0 stay empty slots and are not relocated.
uint32_t append_project_table(Bytes& data1, const std::vector<uint32_t>& classes,
                              const std::vector<uint32_t>& items, std::vector<DataWord>& words);

}  // namespace qlimage
