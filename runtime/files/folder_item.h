// The FolderItem object: the language's handle on a file or folder path. An item whose path is not known yet
// stands for the application's folder and learns that path the first time it is needed.
#pragma once

#include <stdint.h>

#include <string>
#include <string_view>

#include "objects/object.h"
#include "quillet/types.h"

namespace ql {

struct ClassObject;

struct FolderItemObject {
  ObjectBase base;
  uint8_t path_known;
  QlString path;  // Windows form; holds a reference
};
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(FolderItemObject) == 32, "FolderItem instances are 32 bytes on 32-bit targets");
#endif

// The class, defined with its members on first use (the start-up definitions of the built-in classes
// define it too).
ClassObject* folder_item_class();

// object as a folder item; null for nil and for objects of other classes.
FolderItemObject* as_folder_item(QlObject* object);

// A new item for path, one reference for the caller.
QlObject* new_folder_item(std::string_view path);

// The item's path, learning the application's folder first when it is not known. Empty for nil.
std::string folder_item_path(QlObject* item);
void set_folder_item_path(FolderItemObject* item, std::string_view path);

// The folder of the program file: the parent of its path. Empty when the system cannot say.
std::string application_folder();

// Text of a runtime string, and a new runtime string of text.
std::string text_of(QlString s);
QlString string_of(std::string_view text);

}  // namespace ql
