// A lower layer reaching up with the path from the project root: the layer check must refuse this tree.
#pragma once

#include "runtime/values/string.h"
