// RuntimeInit and the other entry points of start-up: each layer's steps, in order.
#include "app/app_steps.h"
#include "app/application.h"
#include "app/image_data.h"
#include "containers/variant.h"
#include "files/file_classes.h"
#include "image/image_format.h"
#include "objects/object_steps.h"
#include "platform/platform.h"
#include "plugins/plugin_steps.h"
#include "quillet/start.h"
#include "start/entry_point_table.h"
#include "start/image_install.h"
#include "start/image_loader.h"
#include "start/init_steps.h"
#include "start/runtime_state.h"
#include "ui/ui_classes.h"
#include "ui/ui_steps.h"
#include "values/fatal.h"
#include "values/fatal_stop.h"

namespace ql {

QL_API void Win32InstallPlugins(void* plugin_chain) {
  RuntimeState& state = runtime_state();
  std::string problem;
  uint32_t head = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(plugin_chain));
  state.stored_plugins.clear();
  if (!image::walk_plugin_chain(state.image.data1, head, state.stored_plugins, problem))
    refuse_damaged_image(problem);
}

QL_API void RuntimeInit(void* project_table) {
  RuntimeState& state = runtime_state();
  // The loader has checked the table that data1's second word names; any other pointer is not trusted.
  uint32_t checked_table = image::read_word(state.image.data1.bytes + image::kProjectTableWord);
  if (reinterpret_cast<uintptr_t>(project_table) != checked_table)
    report_assertion(kConsistencyCheck, "RuntimeMain", 1);

  state.settings = image::Settings{};
  set_image_data(state.image.data1.bytes, state.image.data1.length);
  state.application_class = nullptr;

  register_window_classes();

  platform::ole_initialize();
  define_object_classes();
  define_variant_class();
  define_file_classes();
  define_ui_classes();
  define_app_classes();
  install_plugins(state.stored_plugins, entry_point_address);
  state.default_font_name = "System";
  state.default_font_size = 12;

  char stack_position;
  state.stack_limit = reinterpret_cast<uintptr_t>(&stack_position) - 8192;

  std::string failure;
  if (!image::resolve_deferred(state.image, lookup_deferred_member, failure)) stop_program(failure);
  build_class_array();
  create_project_items();
  if (state.settings.mdi) create_mdi_frame(state.settings.mdi_title);
  create_application_object(state.application_class);
  fire_application_event("Open");
  if (state.settings.mdi) fire_application_event("Activate");
  fire_application_event("NewDocument");
}

}  // namespace ql
