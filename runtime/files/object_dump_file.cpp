// debugDumpObjects: the object dump written to a text file through a TextOutputStream, which is itself one
// of the live objects listed.
#include "objects/object_dump.h"
#include "objects/objects.h"
#include "quillet/files.h"
#include "values/string.h"

QL_API void debugDumpObjects(QlObject* folder_item) {
  QlObject* stream = FolderItemCreateTextFile(folder_item);
  if (!stream) return;
  std::string text = ql::object_dump_text();
  QlString bytes = ql::string_from_bytes(text.data(), static_cast<int32_t>(text.size()));
  TextOutputStreamWrite(stream, bytes);
  ql::string_release(bytes);
  TextOutputStreamClose(stream);
  ql::release_object(stream);
}
