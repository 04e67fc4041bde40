// Entry points of the application object, the event loop and the menu bar.
#pragma once

#include <stdbool.h>

#include "quillet/types.h"

// Runs the periodic background work; long loops of compiled code call it once per pass.
QL_API void RuntimeBackgroundTask(void);
QL_API void DisableAutoWaitCursor(void);
// Asks every window through CancelClose, fires the application's Close, closes the windows and ends the
// application by raising an EndException. Returns only when a window refused.
QL_API void ApplicationQuit(void);
QL_API int32_t ApplicationNewDocument(QlObject* application);
QL_API int32_t ApplicationOpenDocument(QlObject* application, QlObject* folder_item);
QL_API QlObject* appMouseCursorGetter(QlObject* application, intptr_t ignored);
QL_API void appMouseCursorSetter(QlObject* application, intptr_t ignored, QlObject* cursor);
QL_API QlObject* appResourceForkGetter(QlObject* application, intptr_t ignored);

// Menu items by name: the first item in menu-bar order with that name and no index, or the member of a menu
// item array with that index; a reference is added. Nil when there is none.
QL_API QlObject* RuntimeMenuReference(QlString name);
QL_API QlObject* RuntimeMenuArrayReference(QlString name, int32_t index);
// Adds a member to the menu item array of that name, right after the item found; it appears in the menu at
// the next menu enabling. Nil when no item has that name.
QL_API QlObject* RuntimeCloneMenu(QlString name);
QL_API void RuntimeCloseMenuItem(QlObject* item);

// Called by EnableMenuItems handlers.
QL_API void RuntimeEnableMenu(QlObject* item);
QL_API void enableMenuItems(void);

QL_API QlString menuItemTextGetter(QlObject* item, intptr_t ignored);
QL_API void menuItemTextSetter(QlObject* item, intptr_t ignored, QlString text);
QL_API bool menuItemEnabledGetter(QlObject* item, intptr_t ignored);
QL_API void menuItemEnabledSetter(QlObject* item, intptr_t ignored, bool enabled);
QL_API bool menuItemCheckedGetter(QlObject* item, intptr_t ignored);
QL_API void menuItemCheckedSetter(QlObject* item, intptr_t ignored, bool checked);
QL_API bool menuItemVisibleGetter(QlObject* item, intptr_t ignored);
QL_API void menuItemVisibleSetter(QlObject* item, intptr_t ignored, bool visible);
QL_API QlString menuItemCommandKeyGetter(QlObject* item, intptr_t ignored);
QL_API void menuItemCommandKeySetter(QlObject* item, intptr_t ignored, QlString key);
QL_API int32_t menuItemIndexGetter(QlObject* item, intptr_t ignored);

// Timers: their Action fires from the event loop. Mode 0 off, 1 single, 2 multiple; period in milliseconds.
QL_API void timerModeSetter(QlObject* timer, intptr_t ignored, int32_t mode);
QL_API int32_t timerModeGetter(QlObject* timer, intptr_t ignored);
QL_API void timerPeriodSetter(QlObject* timer, intptr_t ignored, int32_t period);
QL_API int32_t timerPeriodGetter(QlObject* timer, intptr_t ignored);
QL_API void timerReset(QlObject* timer);
