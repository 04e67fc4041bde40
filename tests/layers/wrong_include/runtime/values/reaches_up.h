// A lower layer reaching up into a higher one: the layer check must refuse this tree.
#pragma once

#include "ui/window.h"
