// Application code reaching into the runtime past the SDK: the layer check must refuse this tree.
#include "quillet.h"
#include "values/string.h"
