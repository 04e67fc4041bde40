// A lower layer reaching up through angle brackets: the layer check must refuse this tree.
#pragma once

#include <ui/panes/pane.h>
