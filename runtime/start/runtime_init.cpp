// RuntimeInit and the other entry points of start-up.
#include "platform/platform.h"
#include "quillet/start.h"
#include "start/image_format.h"
#include "start/image_install.h"
#include "start/image_loader.h"
#include "start/settings.h"
#include "start/startup_steps.h"
#include "values/fatal.h"
#include "values/fatal_stop.h"

namespace ql {

QL_API void Win32InstallPlugins(void* plugin_chain) {
  RuntimeState& state = runtime_state();
  state.plugin_chain = static_cast<const uint8_t*>(plugin_chain);
  std::string problem;
  uint32_t head = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(plugin_chain));
  if (!walk_plugin_chain(state.image.data1, head, state.stored_plugins, problem))
    refuse_damaged_image(problem);
}

QL_API void RuntimeInit(void* project_table) {
  RuntimeState& state = runtime_state();
  // The loader has checked the table that data1's second word names; any other pointer is not trusted.
  uint32_t checked_table = image::read_word(state.image.data1.bytes + image::kProjectTableWord);
  if (reinterpret_cast<uintptr_t>(project_table) != checked_table) report_assertion(131, 4, "RuntimeMain", 1);

  settings().mdi = false;
  state.application_class_index = -1;

  register_window_classes();

  platform::ole_initialize();
  define_builtin_classes();
  install_plugins(state.plugin_chain);
  state.default_font_name = "System";
  state.default_font_size = 12;

  char stack_position;
  state.stack_limit = reinterpret_cast<uintptr_t>(&stack_position) - 8192;

  std::string failure;
  if (!image::resolve_deferred(state.image, lookup_deferred_member, failure)) stop_program(failure);
  build_class_array();
  create_project_items();
  if (settings().mdi) create_mdi_frame(settings().mdi_title);
  create_application_object();
  fire_application_event("Open");
  if (settings().mdi) fire_application_event("Activate");
  fire_application_event("NewDocument");
}

}  // namespace ql
