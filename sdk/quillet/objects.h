// Entry points of objects and classes.
#pragma once

#include "quillet/types.h"

QL_API void RuntimeLockObject(QlObject* object);
