// Whether a folder item's path exists, and what kind of entry it names, by a directory search.
#include "files/file_lookup.h"

#include "files/paths.h"

namespace ql {

bool look_up(const std::string& path, platform::FileEntry& entry) {
  if (!usable_path(path) || path.find_first_of("*?") != std::string::npos) return false;
  std::string searched = path;
  if (searched.ends_with('\\') && !split_path(searched).folder.empty()) searched.pop_back();
  return platform::find_file(searched.c_str(), entry);
}

bool is_directory_path(const std::string& path) {
  if (path.size() == 2 && path[1] == ':') return true;
  platform::FileEntry entry;
  return look_up(path, entry) && (entry.attributes & platform::kAttributeDirectory);
}

}  // namespace ql
