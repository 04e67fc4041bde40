// The object dump requested from outside the program by a thread message.
#pragma once

#include <windows.h>

namespace ql {

// Writes the dump when msg is the request (a thread message registered as "QuilletDumpObjects") and the
// variable QL_OBJECT_DUMP names a file; true when msg was the request.
bool take_object_dump_request(const MSG& msg);

}  // namespace ql
