// Entry points of the plug-in interface: what plug-ins register through and the callbacks they look up by
// name through the resolver (plug-ins reach every other entry point the same way).
#pragma once

#include <stdbool.h>

#include "quillet/plugin_records.h"
#include "quillet/types.h"

// Registration, during the plug-in's QUILPluginMain. A plug-in that never registers a version is version 1.
QL_API void RegisterPluginVersion(int32_t version);
QL_API void RegisterPluginExports(const QlPluginExport* table);
QL_API void PluginRegisterClass(QlPluginClassRecord* record);
QL_API void PluginRegisterClassExtension(QlPluginClassRecord* record);
// A QlPluginMethodRecordV1 from a version-1 plug-in, a QlPluginMethodRecord from version 3 on.
QL_API void PluginRegisterMethod(const void* record);
// A QlPluginControlRecordV1 or a QlPluginControlRecord, told apart by the version word both begin with.
QL_API void PluginRegisterControl(void* record);

// Instances and what their classes implement. Each answers null when it finds nothing.
QL_API QlObject* PluginNewInstance(const char* class_name);  // with one reference for the caller
QL_API void* GetInterfaceRoutine(QlObject* object, const char* interface_name, const char* routine_name);
QL_API void* GetEventInstance(QlObject* instance, const void* event_descriptor);

// Values.
QL_API QlString PluginInterpretConstantValue(QlString value);  // the value, with a reference added
QL_API QlString PluginDefaultControlFont(void);                // a new "System"
QL_API QlString PluginDefaultControlCaption(void);             // a new "Untitled"
QL_API int32_t PluginDefaultControlFontSize(void);             // 12
QL_API QlString QUILBuildString(const char* bytes, int32_t length);
QL_API void QUILLockObject(QlObject* object);
QL_API void QUILUnlockObject(QlObject* object);
QL_API void QUILLockString(QlString s);
QL_API void QUILUnlockString(QlString s);
QL_API double QUILGetQLVersion(void);  // 2.1
QL_API bool QUILinRuntime(void);

// Controls. Rectangles are in the control's window's content coordinates.
QL_API void GetControlBounds(QlObject* control, QlPluginRect* bounds);
QL_API bool GetControlVisible(QlObject* control);
QL_API void SetControlVisible(QlObject* control, bool visible);
QL_API QlObject* QUILGetControlGraphics(QlObject* control);  // a new Graphics, null without a pane
QL_API void* QUILGraphicsDC(QlObject* graphics);             // the HDC the graphics draws into, or null
QL_API void QUILInvalidateControl(QlObject* control);
QL_API void QUILInvalidateControlRect(QlObject* control, int32_t left, int32_t top, int32_t right,
                                      int32_t bottom);
QL_API int32_t QUILGetWin32Charset(void);
QL_API QlObject* getControlWindow(QlObject* control);  // borrowed: no reference is added
QL_API void* GetControlHWND(QlObject* control);        // the pane's own HWND, else its window's; or null

// Pictures. lockPictureDescription holds the picture until unlockPictureDescription; false for nil.
QL_API bool lockPictureDescription(QlObject* picture, QlPluginPictureDescription* description);
QL_API void unlockPictureDescription(QlObject* picture);
// Draws the picture at its own size with its top-left at (x, y) of the graphics' coordinates.
QL_API void drawPicturePrimitive(QlObject* graphics, QlObject* picture, int32_t x, int32_t y);
// A new Picture (one reference for the caller) holding the pixels of a device-independent bitmap: `info`
// is its BITMAPINFO (header and colour table), `bits` its rows. Bottom-up and top-down DIBs of 1, 4, 8, 16,
// 24 and 32 bits (BI_RGB, or BI_BITFIELDS at 16 and 32) are taken; null for any other, for a null argument
// and for a size a picture opened from a file may not have either.
QL_API QlObject* QUILBuildPictureFromDIB(const void* info, const void* bits);
// Frees the platform bitmaps a picture keeps once drawn; its next draw makes them again. Nil is ignored.
QL_API void QUILPictureClearCache(QlObject* picture);
