// The image's file types: matching a path to its type, and the dialogs' filter.
#include "files/file_types.h"

#include "files/paths.h"

namespace ql {

namespace {

// The non-empty pieces of a list separated by ";".
std::vector<std::string_view> pieces(std::string_view list) {
  std::vector<std::string_view> result;
  while (!list.empty()) {
    size_t end = list.find(';');
    std::string_view piece = list.substr(0, end);
    if (!piece.empty()) result.push_back(piece);
    if (end == std::string_view::npos) break;
    list.remove_prefix(end + 1);
  }
  return result;
}

int score(std::string_view path, const FileType& type) {
  std::vector<std::string_view> extensions = pieces(type.extensions);
  if (extensions.empty()) return 1;
  for (std::string_view extension : extensions) {
    if (path_has_extension(path, extension)) return 2;
  }
  return 0;
}

bool matches_anything(const FileType& type) { return type.second_code.empty() || type.second_code == "????"; }

}  // namespace

namespace {
std::vector<FileType>& current_file_types() {
  static std::vector<FileType> types;
  return types;
}
}  // namespace

void set_file_types(std::vector<FileType> types) { current_file_types() = std::move(types); }
const std::vector<FileType>& file_types() { return current_file_types(); }

std::string best_file_type(std::string_view path, const std::vector<FileType>& types) {
  const FileType* best = nullptr;
  int best_score = 0;
  for (const FileType& type : types) {
    int s = score(path, type);
    if (s > best_score) {
      best = &type;
      best_score = s;
    }
  }
  return best ? best->name : std::string();
}

DialogFilter build_dialog_filter(std::string_view type_names, const std::vector<FileType>& types) {
  DialogFilter filter;
  bool have_default = false;
  // An empty name would read to the dialog as the end of the list, so none is passed on.
  for (std::string_view name : pieces(type_names)) {
    std::string patterns;
    for (const FileType& type : types) {
      if (!paths_equal(type.name, name)) continue;
      std::vector<std::string_view> extensions = pieces(type.extensions);
      for (std::string_view extension : extensions) {
        patterns += patterns.empty() ? "*" : ";*";
        patterns += extension;
        if (!have_default) {
          filter.default_extension =
              std::string(extension.starts_with('.') ? extension.substr(1) : extension);
          have_default = true;
        }
      }
      if (extensions.empty() && matches_anything(type) && patterns.empty()) patterns = "*.*";
    }
    filter.bytes += name;
    filter.bytes += '\0';
    filter.bytes += patterns;
    filter.bytes += '\0';
  }
  filter.bytes.append(2, '\0');
  return filter;
}

}  // namespace ql
