// The object dump's text, taken from the pool and the live-object list at one moment.
#include "objects/object_dump.h"

#include "objects/class_object.h"
#include "objects/objects.h"
#include "values/pool.h"

namespace ql {

std::string object_dump_text() {
  // Both figures are read before the text is built: building it uses the pool.
  int64_t pool_bytes = process_pool().bytes_outstanding();
  int32_t objects = live_object_count();
  std::string text =
      std::to_string(pool_bytes) + " used in heap1\r\n" + std::to_string(objects) + " objects\r\n";
  for (QlObject* object = first_live_object(); object; object = next_live_object(object)) {
    std::string name = nearest_class_name(class_of(object));
    text += name.empty() ? "<Unnamed object class>" : name;
    text += "\r\n";
  }
  return text;
}

}  // namespace ql
