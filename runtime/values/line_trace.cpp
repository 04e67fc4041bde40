// lineTrace: the trace file that compiled code writes to.
#include "platform/platform.h"
#include "quillet/start.h"
#include "values/exit_list.h"

namespace {

// Open from the first lineTrace of a run to the end of the process; a fatal path closes it through the exit
// list.
struct TraceFile final : ql::ExitListEntry {
  ql::platform::FileHandle handle = ql::platform::kNoFile;

  TraceFile() {
    handle = ql::platform::file_create("trace.log");
    if (handle != ql::platform::kNoFile) ql::exit_list_add(this);
  }
  void destroy_at_exit() override {
    ql::platform::file_close(handle);
    handle = ql::platform::kNoFile;
  }
};

}  // namespace

QL_API void lineTrace(QlString text) {
  // The first call of a run creates or empties the file. Every line goes straight to the file, so a trace
  // survives however the process ends.
  static TraceFile trace;
  if (trace.handle == ql::platform::kNoFile) return;
  if (text) ql::platform::file_write(trace.handle, text->buffer + 1, text->length);
  ql::platform::file_write(trace.handle, "\r", 1);
}
