// Instance layouts of the built-in classes that compiled classes extend: a compiled subclass lays its own
// fields behind these. Sizes come from the one list of built-in classes; the runtime asserts that its own
// structs have exactly these sizes.
#pragma once

#include "quillet/types.h"

// Instance bytes of a built-in class: its 32-bit size, and on 64-bit targets twice that, which holds every
// field of the 32-bit layout at pointer width.
#define QL_INSTANCE_BYTES(size32) ((size32) * (sizeof(void*) / 4))

struct QlBuiltinClassRow {
  const char* name;
  const char* superclass;  // "" for none
  uint32_t size32;
};

inline constexpr QlBuiltinClassRow kQlBuiltinClasses[] = {
#define QL_BUILTIN_CLASS(name, superclass, size32) {name, superclass, size32},
#include "quillet/builtin_classes.inc"
#undef QL_BUILTIN_CLASS
};

// The 32-bit instance size of the built-in class spelled exactly `name`, 0 for a name not in the list (a
// layout built on 0 has a negative field size and does not compile).
constexpr uint32_t ql_builtin_size32(const char* name) {
  for (const QlBuiltinClassRow& row : kQlBuiltinClasses) {
    const char* a = row.name;
    const char* b = name;
    while (*a && *a == *b) ++a, ++b;
    if (*a == *b) return row.size32;
  }
  return 0;
}

#define QL_BUILTIN_BASE(type, class_name)                                                           \
  struct type {                                                                                     \
    struct QlObjectBase base;                                                                       \
    uint8_t fields[QL_INSTANCE_BYTES(ql_builtin_size32(class_name)) - sizeof(struct QlObjectBase)]; \
  }

QL_BUILTIN_BASE(QlWindowBase, "Window");        // Window, Applet, Dialog
QL_BUILTIN_BASE(QlControlBase, "RectControl");  // Control, RectControl
QL_BUILTIN_BASE(QlCanvasBase, "Canvas");
QL_BUILTIN_BASE(QlPushButtonBase, "PushButton");
QL_BUILTIN_BASE(QlPopupMenuBase, "PopupMenu");
QL_BUILTIN_BASE(QlEditFieldBase, "EditField");
QL_BUILTIN_BASE(QlListboxBase, "Listbox");
QL_BUILTIN_BASE(QlStaticTextBase, "StaticText");
QL_BUILTIN_BASE(QlTabPanelBase, "TabPanel");
QL_BUILTIN_BASE(QlMenuItemBase, "MenuItem");  // MenuItem, QuitMenuItem
QL_BUILTIN_BASE(QlPictureBase, "Picture");
QL_BUILTIN_BASE(QlSoundBase, "Sound");
QL_BUILTIN_BASE(QlTimerBase, "Timer");

#undef QL_BUILTIN_BASE

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(struct QlWindowBase) == 112, "Window instances are 112 bytes on 32-bit targets");
static_assert(sizeof(struct QlControlBase) == 88, "RectControl instances are 88 bytes on 32-bit targets");
static_assert(sizeof(struct QlCanvasBase) == 100, "Canvas instances are 100 bytes on 32-bit targets");
static_assert(sizeof(struct QlListboxBase) == 524, "Listbox instances are 524 bytes on 32-bit targets");
#endif
