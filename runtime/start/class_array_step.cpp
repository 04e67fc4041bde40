// RuntimeInit's step that builds the class array from the loaded image.
#include "objects/class_array.h"
#include "objects/class_descriptors.h"
#include "objects/interface_tables.h"
#include "objects/objects.h"
#include "start/image_loader.h"
#include "start/init_steps.h"
#include "start/runtime_state.h"
#include "values/fatal.h"

namespace ql {

void build_class_array() {
  RuntimeState& state = runtime_state();
  const LoadedImage& image = state.image;
  CodeRange code1{{image.code1_address, image.link.code1_length},
                  reinterpret_cast<uintptr_t>(image.link.code1)};
  ClassBuild build;
  std::string problem;
  if (!build_classes(image.data1, image.project.class_words, image.project.class_count, code1, build,
                     problem)) {
    refuse_damaged_image(problem);
  }
  for (const std::string& line : build.diagnostics) debug_log(line.c_str());
  int32_t application_index = build.array.application_index;
  install_class_array(std::move(build.array));
  state.application_class = class_at_index(application_index);
  // A class without a method its interface promises would send compiled code to address 0.
  if (!build_interface_tables(problem)) refuse_damaged_image(problem);
}

}  // namespace ql
