// The cached listing of one folder behind FolderItem Count and Item.
#include "files/folder_listing.h"

#include <vector>

#include "files/paths.h"
#include "platform/platform.h"

namespace ql {

namespace {

struct Listing {
  bool filled = false;
  std::string folder;
  std::vector<std::string> names;
};

Listing& cache() {
  static auto* listing = new Listing;
  return *listing;
}

void rebuild(const std::string& folder) {
  Listing& listing = cache();
  listing.folder = folder;
  listing.filled = true;
  if (!usable_path(folder) || !platform::list_folder(folder.c_str(), listing.names)) listing.names.clear();
}

}  // namespace

int32_t count_folder_entries(const std::string& folder) {
  rebuild(folder);
  return static_cast<int32_t>(cache().names.size());
}

bool folder_entry_name(const std::string& folder, int32_t n, std::string& name) {
  if (n < 1) return false;
  Listing& listing = cache();
  if (!listing.filled || !paths_equal(listing.folder, folder)) rebuild(folder);
  if (static_cast<size_t>(n) > listing.names.size()) return false;
  name = listing.names[static_cast<size_t>(n) - 1];
  return true;
}

}  // namespace ql
