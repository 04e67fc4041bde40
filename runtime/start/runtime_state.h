// Process-wide state of the running application, set during start-up and owned by the runtime.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "plugins/stored_plugins.h"
#include "quillet/types.h"
#include "start/code2_linker.h"
#include "start/image_format.h"
#include "start/project_table.h"

namespace ql {

struct LoadedImage {
  image::LinkState link;  // code1, the thunks, deferred imports, loaded libraries
  image::Data1View data1;
  uint32_t code1_address = 0;
  image::ProjectTable project;
  bool development_mode = false;
  int64_t resource_index_offset = image::kNoResourceIndex;  // 0 in development mode
};

struct RuntimeState {
  void* instance = nullptr;  // the program's module handle
  LoadedImage image;
  const uint8_t* plugin_chain = nullptr;
  std::vector<StoredPlugin> stored_plugins;  // walked from plugin_chain, installed by RuntimeInit
  std::string default_font_name;
  int default_font_size = 0;
  uintptr_t stack_limit = 0;
  std::vector<QlObject*> project_items;
  int application_class_index = -1;
  QlObject* application = nullptr;
  bool quit = false;
};

RuntimeState& runtime_state();

}  // namespace ql
