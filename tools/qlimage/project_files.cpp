// Reading the files of a project.
#include "qlimage/project_files.h"

#include <filesystem>

#include "qlimage/class_list.h"
#include "qlimage/file_io.h"
#include "qlimage/pe_resources.h"
#include "qlimage/picture_conversion.h"

namespace qlimage {
namespace {

struct Loader {
  const Project& project;
  const FileArguments& files;
  Diagnostics& diagnostics;

  void error(const std::string& message) {
    diagnostics.error((project.path.empty() ? "" : project.path + ": ") + message);
  }

  bool load(FileSource& file, const std::string& what) {
    if (file.written.starts_with("@")) {
      auto it = files.find(file.written.substr(1));
      if (it == files.end()) {
        error(what + ": file '" + file.written + "' is given on the command line, but no --file " +
              file.written.substr(1) + "=PATH was given; add it to the qlimage link command");
        return false;
      }
      file.path = it->second;
    } else {
      std::filesystem::path path(file.written);
      if (path.is_relative()) path = std::filesystem::path(project.path).parent_path() / path;
      file.path = path.string();
    }
    std::string problem;
    std::optional<Bytes> bytes = read_file(file.path, problem);
    if (!bytes) {
      error(what + ": file '" + file.written + "': " + problem);
      return false;
    }
    file.bytes = std::move(*bytes);
    return true;
  }
};

}  // namespace

bool load_project_files(Project& project, const FileArguments& files, Diagnostics& diagnostics) {
  size_t errors_before = diagnostics.errors.size();
  Loader loader{project, files, diagnostics};
  for (PictureDescription& picture : project.pictures) {
    std::string what = "picture item " + std::to_string(picture.item);
    if (!loader.load(picture.file, what)) continue;
    std::string problem;
    std::optional<DecodedPng> png = decode_png(picture.file.bytes, problem);
    if (!png) {
      loader.error(what + ": file '" + picture.file.written + "' " + problem);
      continue;
    }
    picture.width = png->width;
    picture.height = png->height;
    picture.rgba = std::move(png->rgba);
  }
  for (SoundDescription& sound : project.sounds)
    loader.load(sound.file, "sound item " + std::to_string(sound.item));
  for (PluginDescription& plugin : project.plugins) {
    std::string what = "plug-in '" + plugin.name + "'";
    if (loader.load(plugin.file, what) && !is_pe_file(ByteView(plugin.file.bytes))) {
      loader.error(what + ": file '" + plugin.file.written +
                   "' is not a DLL (a PE file); give the plug-in library as built");
    }
  }
  for (WindowDescription& window : project.windows) {
    auto load_values = [&](std::vector<Property>& properties, const std::string& where) {
      for (Property& property : properties) {
        if (!property.value.file) continue;
        if (loader.load(*property.value.file, where + " property '" + property.name + "'")) {
          const Bytes& bytes = property.value.file->bytes;
          property.value.text.assign(bytes.begin(), bytes.end());
        }
      }
    };
    load_values(window.properties, window_label(window));
    for (size_t c = 0; c < window.controls.size(); ++c) {
      load_values(window.controls[c].properties,
                  window_label(window) + " " + control_label(window.controls[c], c));
    }
  }
  return diagnostics.errors.size() == errors_before;
}

}  // namespace qlimage
