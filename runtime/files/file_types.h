// The image's file types at work: the type that best matches a path (the Type property) and the filter of the
// Open and Save dialogs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "image/settings_record.h"

namespace ql {

using image::FileType;

// The application's file types, from the image's settings; none until start-up sets them.
void set_file_types(std::vector<FileType> types);
const std::vector<FileType>& file_types();

// The name of the first type with the highest score: 2 when the path ends with one of its extensions, 1 when
// it has none, 0 otherwise. Empty when every type scores 0.
std::string best_file_type(std::string_view path, const std::vector<FileType>& types);

struct DialogFilter {
  std::string bytes;              // pairs of name and patterns, each ended by a 0 byte, then two more 0 bytes
  std::string default_extension;  // the first extension collected, without its "."; empty for none
};

// The filter for type_names, file type names separated by ";" in the order the dialog lists them.
DialogFilter build_dialog_filter(std::string_view type_names, const std::vector<FileType>& types);

}  // namespace ql
