// Everything compiled application code needs to call the runtime.
#pragma once

#include "quillet/application.h"
#include "quillet/arrays.h"
#include "quillet/controls.h"
#include "quillet/files.h"
#include "quillet/graphics.h"
#include "quillet/layouts.h"
#include "quillet/menus.h"
#include "quillet/objects.h"
#include "quillet/plugins.h"
#include "quillet/start.h"
#include "quillet/string_constant.h"
#include "quillet/string_library.h"
#include "quillet/strings.h"
#include "quillet/types.h"
#include "quillet/variants.h"
#include "quillet/windows.h"
