// Windows paths as folder items see them: split into root, folder part and name, parents, and names combined
// with a base path. Pure text operations; nothing here touches the disk.
#pragma once

#include <string>
#include <string_view>

namespace ql {

// C:\Data\Lists\words.txt splits into "C:\", "Data\Lists\" and "words.txt"; root + folder + name is the path.
struct PathParts {
  std::string_view root;    // drive or UNC root, up to and including its backslash; "C:" without one
  std::string_view folder;  // after the root, up to and including the last backslash
  std::string_view name;    // the rest
};
PathParts split_path(std::string_view path);

// The parent of C:\Data\words.txt is C:\Data, that of C:\words.txt is C:, that of C:\ is C:. A drive
// without a backslash (C:) and a bare relative name have no parent: the result is the path itself.
std::string parent_path(std::string_view path);

// A name resolved against a base path. The child form puts a relative name inside base (the folder items
// that RuntimeGetFolderItem answers); the sibling form puts it beside base (renaming).
std::string combine_child(std::string_view base, std::string_view name);
std::string combine_sibling(std::string_view base, std::string_view name);

// Equality with the folding of the runtime's comparisons (ASCII letters ignore case).
bool paths_equal(std::string_view a, std::string_view b);

// A path the system can be given: not empty and free of NUL bytes, which would cut it short.
bool usable_path(std::string_view path);

// Whether path ends with extension (".txt"), compared folded over the extension's length.
bool path_has_extension(std::string_view path, std::string_view extension);

}  // namespace ql
