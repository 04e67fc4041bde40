// Process-wide state of the running application that start-up owns: the loaded image and its items.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "image/image_format.h"
#include "image/plugin_chain.h"
#include "image/project_table.h"
#include "image/settings_record.h"
#include "quillet/types.h"
#include "start/code2_linker.h"

namespace ql {

struct ClassObject;

struct LoadedImage {
  image::LinkState link;  // code1, the thunks, deferred imports, loaded libraries
  image::Data1View data1;
  uint32_t code1_address = 0;
  uint32_t region_size = 0;  // bytes of the region that holds code1, data1 and the thunks
  image::ProjectTable project;
  bool development_mode = false;
  int64_t resource_index_offset = image::kNoResourceIndex;  // 0 in development mode
};

struct RuntimeState {
  void* instance = nullptr;  // the program's module handle
  std::string command_line;  // what followed the program's name
  LoadedImage image;
  std::vector<image::StoredPlugin> stored_plugins;  // walked by Win32InstallPlugins, installed by RuntimeInit
  image::Settings settings;
  std::string default_font_name;
  int default_font_size = 0;
  uintptr_t stack_limit = 0;
  ClassObject* application_class = nullptr;
};

RuntimeState& runtime_state();

}  // namespace ql
