// The object dump on request from outside the program: a thread message registered as "QuilletDumpObjects"
// writes it to the file QL_OBJECT_DUMP names, so that a long driven run can watch the live objects and the
// pool without the program's help. Without that variable the message does nothing.
#include "ui/system/object_dump_request.h"

#include <cstdlib>

#include "files/folder_item.h"
#include "objects/objects.h"
#include "quillet/files.h"

namespace ql {

bool take_object_dump_request(const MSG& msg) {
  static const UINT request = RegisterWindowMessageA("QuilletDumpObjects");
  if (msg.hwnd || msg.message != request) return false;
  if (const char* path = std::getenv("QL_OBJECT_DUMP"); path && *path) {
    QlObject* item = new_folder_item(path);
    debugDumpObjects(item);
    release_object(item);
  }
  return true;
}

}  // namespace ql
