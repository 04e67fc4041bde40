// Entry points of windows, controls built from window descriptions, and their positions and visibility.
// Property setters take the object, a parameter the runtime ignores (or, for positions, which value) and the
// new value; getters take the object and the parameter.
#pragma once

#include <stdbool.h>

#include "quillet/types.h"

// Which value ctlPos... and windowPos... read or write.
enum QlPosition { kQlLeft = 0, kQlTop = 1, kQlWidth = 2, kQlHeight = 3 };

// Creates the window a description in the image holds, and its controls; stores it into *variable (which may
// be null) before its properties are applied, and clears the variable again when the window closes. Nil when
// the platform window could not be made.
QL_API QlObject* RuntimeCreateWindow(const void* description, QlObject** variable);
QL_API void RuntimeShowWindow(QlObject* window);
QL_API void RuntimeHideWindow(QlObject* window);
QL_API void RuntimeCloseWindow(QlObject* window);  // CancelClose may keep it open
QL_API void RuntimeShowModal(QlObject* window);

// Controls by name: a single control under its name, a member of a control array under its name and index.
// Fetch adds no reference; the others add one for the caller. Nil when there is none.
QL_API QlObject* RuntimeControlFetch(QlObject* window, QlString name);
QL_API QlObject* RuntimeControlReference(QlObject* window, QlString name);
QL_API QlObject* RuntimeControlArrayItemReference(QlObject* window, QlString name, int32_t index);
QL_API QlObject* RuntimeCloneControlReference(QlObject* window, QlString name);

// Positions, in the window's content coordinates for controls and screen coordinates for windows.
QL_API int32_t ctlPosGetter(QlObject* control, int32_t which);
QL_API void ctlPosSetter(QlObject* control, int32_t which, int32_t value);
QL_API int32_t windowPosGetter(QlObject* window, int32_t which);
QL_API void windowPosSetter(QlObject* window, int32_t which, int32_t value);

// The control's index in its control array, 0x80000000 for a single control.
QL_API int32_t controlIndexGetter(QlObject* control, intptr_t ignored);

QL_API bool controlVisibleGetter(QlObject* control, intptr_t ignored);
QL_API void ControlVisibleSetter(QlObject* control, intptr_t ignored, bool visible);
QL_API bool controlEnabledGetter(QlObject* control, intptr_t ignored);
QL_API void controlEnabledSetter(QlObject* control, intptr_t ignored, bool enabled);

// Redrawing now: the whole control or window, or a rectangle of it.
QL_API void RuntimeControlRefresh(QlObject* control);
QL_API void RuntimeControlRefreshRect(QlObject* control, int32_t x, int32_t y, int32_t width, int32_t height);
QL_API void formRefresh(QlObject* window);
QL_API void formRefreshRect(QlObject* window, int32_t x, int32_t y, int32_t width, int32_t height);

// Window properties.
QL_API void windowBackColorSetter(QlObject* window, intptr_t ignored, int32_t colour);
QL_API int32_t windowBackColorGetter(QlObject* window, intptr_t ignored);
QL_API void windowHasBackColorSetter(QlObject* window, intptr_t ignored, bool has_back_colour);
QL_API void windowBackdropSetter(QlObject* window, intptr_t ignored, QlObject* picture);
QL_API void windowTitleSetter(QlObject* window, intptr_t ignored, QlString title);
QL_API QlString windowTitleGetter(QlObject* window, intptr_t ignored);
QL_API void WindowVisibleSetter(QlObject* window, intptr_t ignored, bool visible);

// Drag and drop: what a window or control takes. File types are names of the image's file types.
QL_API void windowAcceptTextDrop(QlObject* window);
QL_API void windowAcceptFileDrop(QlObject* window, QlString file_type);
QL_API void controlAcceptTextDrop(QlObject* control);
QL_API void controlAcceptFileDrop(QlObject* control, QlString file_type);

// True while a MouseDown handler runs for a right-button press.
QL_API bool IsCMMClick(void);
