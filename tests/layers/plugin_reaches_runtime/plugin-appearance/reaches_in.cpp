// A plug-in reaching into the runtime past the SDK: the layer check must refuse this tree.
#include <windows.h>

#include "../runtime/ui/panes/pane.h"
