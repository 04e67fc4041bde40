// Calls members of a built-in class through deferred imports.
#include "quillet.h"

using quillet::Str;

extern "C" bool item_exists(QlObject* item);
extern "C" QlString item_name(QlObject* item);
extern "C" QlObject* create_text_file(QlObject* item);

extern "C" void app_entry() {
  quillet::start_runtime();
  QlObject* item = RuntimeGetFolderItem(QL_STR("deferred.txt"));
  lineTrace(item_exists(item) ? QL_STR("exists") : QL_STR("missing"));
  Str name(item_name(item));
  lineTrace(name.get());
  QlObject* stream = create_text_file(item);
  TextOutputStreamWrite(stream, QL_STR("written through a deferred import"));
  TextOutputStreamClose(stream);
  RuntimeUnlockObject(stream);
  lineTrace(item_exists(item) ? QL_STR("exists") : QL_STR("missing"));
  RuntimeUnlockObject(item);
  RuntimeRun();
}
