// The steps of runtime initialisation that belong to the application layer.
#pragma once

#include <stdint.h>

namespace ql {

// Application and the other classes of this layer.
void define_app_classes();

// Builds the menu bar from the image's menu bar stream (project item kind 2).
void build_menu_bar(const uint8_t* stream, uint32_t length);

}  // namespace ql
