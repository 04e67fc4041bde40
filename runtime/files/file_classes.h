// The built-in classes of this layer with their real layouts and the members the language sees:
// FolderItem, TextInputStream, TextOutputStream and BinaryStream.
#pragma once

#include "quillet/types.h"

namespace ql {

struct ClassObject;

// Defines (or completes) the four classes with their sizes, destructors, properties and methods. Safe to
// call more than once; the start-up definitions of the built-in classes call it.
void define_file_classes();

// Each class, defined on first use and defined again should a later definition have changed it.
ClassObject* folder_item_class();
ClassObject* text_input_stream_class();
ClassObject* text_output_stream_class();
ClassObject* binary_stream_class();

// The destructor of FolderItem: gives back the path.
void destroy_folder_item(QlObject* object, ClassObject* cls);

}  // namespace ql
