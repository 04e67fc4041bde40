// The steps of runtime initialisation that belong to the application layer.
#pragma once

#include <stdint.h>

namespace ql {

// Application and the other classes of this layer (menu items, timers), and the hooks windows call.
void define_app_classes();
// Application alone, which needs nothing of the windows layer.
void define_application_class();

// Builds the menu bar from the image's menu bar stream (project item kind 2).
void build_menu_bar(const uint8_t* stream, uint32_t length);

}  // namespace ql
