// Reads the files a project names into it: pictures (decoded from PNG), sounds, plug-ins and property
// values. "@NAME" is the file that `--file NAME=PATH` gives; other paths are relative to the project file.
#pragma once

#include <map>
#include <string>

#include "qlimage/diagnostics.h"
#include "qlimage/project.h"

namespace qlimage {

using FileArguments = std::map<std::string, std::string>;  // NAME -> PATH

// False after reporting every file that is missing, unreadable or unfit for its use.
bool load_project_files(Project& project, const FileArguments& files, Diagnostics& diagnostics);

}  // namespace qlimage
