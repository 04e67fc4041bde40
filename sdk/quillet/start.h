// Entry points of start-up, project items and tracing.
#pragma once

#include "quillet/types.h"

QL_API void Win32InstallPlugins(void* plugin_chain);
QL_API void RuntimeInit(void* project_table);
QL_API void RuntimeRun(void);
// What followed the program's name on its command line (the name is skipped as the process entry skips
// it), as a new reference; the empty string when nothing did.
QL_API QlString RuntimeGetCommandLine(void);
QL_API QlObject* RuntimeProjectObject(int32_t index);
QL_API QlObject* RuntimePictureReference(int32_t index);
QL_API void lineTrace(QlString text);
QL_API void RuntimeMsgBox(QlString text);
