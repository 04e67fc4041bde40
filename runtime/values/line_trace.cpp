// lineTrace: the trace file that compiled code writes to.
#include "platform/platform.h"
#include "quillet/start.h"

QL_API void lineTrace(QlString text) {
  // The first call of a run creates or empties the file. Every line goes straight to the file, so a trace
  // survives however the process ends.
  static ql::platform::FileHandle trace = ql::platform::file_create("trace.log");
  if (trace == ql::platform::kNoFile) return;
  if (text) ql::platform::file_write(trace, text->buffer + 1, text->length);
  ql::platform::file_write(trace, "\r", 1);
}
