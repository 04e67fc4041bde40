// Instance layouts of the built-in classes that compiled classes extend: a compiled subclass lays its own
// fields behind these. The runtime asserts that its own structs have exactly these sizes.
#pragma once

#include "quillet/types.h"

// Instance bytes of a built-in class: its 32-bit size, and on 64-bit targets twice that, which holds every
// field of the 32-bit layout at pointer width.
#define QL_INSTANCE_BYTES(size32) ((size32) * (sizeof(void*) / 4))

#define QL_BUILTIN_BASE(name, size32)                                                   \
  struct name {                                                                         \
    struct QlObjectBase base;                                                           \
    uint8_t fields[QL_INSTANCE_BYTES(size32) - sizeof(struct QlObjectBase)];           \
  }

QL_BUILTIN_BASE(QlWindowBase, 112);       // Window, Applet, Dialog
QL_BUILTIN_BASE(QlControlBase, 88);       // Control, RectControl
QL_BUILTIN_BASE(QlCanvasBase, 100);       // Canvas
QL_BUILTIN_BASE(QlPushButtonBase, 116);   // PushButton
QL_BUILTIN_BASE(QlPopupMenuBase, 116);    // PopupMenu
QL_BUILTIN_BASE(QlEditFieldBase, 136);    // EditField
QL_BUILTIN_BASE(QlListboxBase, 524);      // Listbox
QL_BUILTIN_BASE(QlStaticTextBase, 104);   // StaticText
QL_BUILTIN_BASE(QlTabPanelBase, 120);     // TabPanel
QL_BUILTIN_BASE(QlMenuItemBase, 72);      // MenuItem, QuitMenuItem
QL_BUILTIN_BASE(QlPictureBase, 40);       // Picture
QL_BUILTIN_BASE(QlSoundBase, 40);         // Sound
QL_BUILTIN_BASE(QlTimerBase, 40);         // Timer

#undef QL_BUILTIN_BASE

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(struct QlWindowBase) == 112, "Window instances are 112 bytes on 32-bit targets");
static_assert(sizeof(struct QlControlBase) == 88, "RectControl instances are 88 bytes on 32-bit targets");
static_assert(sizeof(struct QlCanvasBase) == 100, "Canvas instances are 100 bytes on 32-bit targets");
static_assert(sizeof(struct QlListboxBase) == 524, "Listbox instances are 524 bytes on 32-bit targets");
#endif
