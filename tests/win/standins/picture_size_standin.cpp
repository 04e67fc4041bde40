// Picture sizes for the windows tests while the runtime has no pictures of its own: no picture has a size.
#include "quillet/graphics.h"

QL_API int32_t pictureWidthGetter(QlObject*, intptr_t) { return 0; }
QL_API int32_t pictureHeightGetter(QlObject*, intptr_t) { return 0; }
