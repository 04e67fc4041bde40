// The SDK reaching into the runtime: the layer check must refuse this tree.
#pragma once

#include <objects/object.h>
