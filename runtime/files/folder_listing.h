// The folder listing behind Count and Item: the names of one folder, kept in a process-wide cache with the
// folder's path. Count always lists the folder again; Item reuses the cache while it is asked about the same
// folder, so a loop over 1 to Count sees one consistent listing.
#pragma once

#include <stdint.h>

#include <string>

namespace ql {

// The number of entries ("." and ".." left out); 0 when the folder cannot be listed. Rebuilds the cache.
int32_t count_folder_entries(const std::string& folder);

// The name of the n-th entry (from 1), from the cache when it holds this folder (folded comparison), else
// from a new listing. False when n lies outside the listing.
bool folder_entry_name(const std::string& folder, int32_t n, std::string& name);

}  // namespace ql
