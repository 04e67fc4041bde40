// A lower layer reaching up through a parent folder: the layer check must refuse this tree.
#include "../files/folder_item.h"
