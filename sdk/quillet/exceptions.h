// Entry points of exceptions and the checks compiled code makes at routine entry.
#pragma once

#include "quillet/types.h"

// Takes a reference to exception and passes it to the nearest handler in compiled code; returns only into a
// handler. One that nobody handles ends the application.
QL_API void RuntimeRaiseException(QlObject* exception);
// Raises nothing; reports an internal error and returns.
QL_API void RuntimeReraiseException(void);
// Called at the start of every method; checks nothing.
QL_API void RuntimeStackCheck(void);
