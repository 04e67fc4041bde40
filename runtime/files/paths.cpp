// Windows paths as folder items see them: roots, parents, names and combining them.
#include "files/paths.h"

#include "values/char_tables.h"

namespace ql {

namespace {

bool has_root(std::string_view path) {
  return path.size() > 1 && (path.starts_with("\\\\") || path[1] == ':');
}

}  // namespace

PathParts split_path(std::string_view path) {
  PathParts parts;
  size_t root_length = 0;
  if (has_root(path)) {
    size_t backslash = path.find('\\', 2);
    root_length = backslash == std::string_view::npos ? path.size() : backslash + 1;
  }
  parts.root = path.substr(0, root_length);
  std::string_view rest = path.substr(root_length);
  size_t last = rest.rfind('\\');
  size_t folder_length = last == std::string_view::npos ? 0 : last + 1;
  parts.folder = rest.substr(0, folder_length);
  parts.name = rest.substr(folder_length);
  return parts;
}

std::string parent_path(std::string_view path) {
  PathParts parts = split_path(path);
  if (!parts.folder.empty()) {
    return std::string(parts.root) + std::string(parts.folder.substr(0, parts.folder.size() - 1));
  }
  // Cutting anything but a backslash from a root would name another place ("C:" would become "C").
  if (!parts.root.ends_with('\\')) return std::string(path);
  return std::string(parts.root.substr(0, parts.root.size() - 1));
}

namespace {

enum class Form { kChild, kSibling };

std::string combine(std::string_view base, std::string_view name, Form form) {
  PathParts named = split_path(name);
  if (!named.root.empty()) return std::string(name);
  PathParts based = split_path(base);
  std::string beside = std::string(based.root) + std::string(based.folder);
  if (named.folder.empty()) {
    return form == Form::kChild ? std::string(base) + "\\" + std::string(name) : beside + std::string(name);
  }
  if (named.folder.front() == '\\') {
    return std::string(based.root) + std::string(named.folder.substr(1)) + std::string(named.name);
  }
  return form == Form::kChild ? std::string(base) + "\\" + std::string(name) : beside + std::string(name);
}

}  // namespace

std::string combine_child(std::string_view base, std::string_view name) {
  return combine(base, name, Form::kChild);
}

std::string combine_sibling(std::string_view base, std::string_view name) {
  return combine(base, name, Form::kSibling);
}

bool paths_equal(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (kFoldingTable[static_cast<uint8_t>(a[i])] != kFoldingTable[static_cast<uint8_t>(b[i])]) return false;
  }
  return true;
}

bool usable_path(std::string_view path) { return !path.empty() && path.find('\0') == std::string_view::npos; }

bool path_has_extension(std::string_view path, std::string_view extension) {
  if (extension.empty() || extension.size() > path.size()) return false;
  return paths_equal(path.substr(path.size() - extension.size()), extension);
}

}  // namespace ql
