// The steps of RuntimeInit that start-up performs itself.
#pragma once

namespace ql {

// Builds the class array and the interface tables from the image's class descriptors and finds the
// application class. A malformed descriptor refuses the image.
void build_class_array();

// Creates an object for every project item of the image; the settings item is handed to each layer.
void create_project_items();

}  // namespace ql
