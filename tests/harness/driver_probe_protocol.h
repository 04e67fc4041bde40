// What the driver and ql_driver_probe.dll (loaded into a program under test) exchange through the program's
// memory: one menu's items, read inside the process that owns the menu, and the state of a GUI thread's
// message queue, noted by the probe's hook when the driver sends that thread a marked WM_NULL.
#pragma once

#include <windows.h>

#include <stdint.h>

namespace ql::driver {

constexpr int kMenuProbeMaxItems = 96;
constexpr int kMenuProbeTextLength = 128;

struct MenuProbeItem {
  uint32_t id;
  uint32_t state;  // MFS_* flags
  uint32_t type;   // MFT_* flags
  uint32_t has_rect;
  HMENU submenu;
  RECT rect;  // screen coordinates, from GetMenuItemRect; valid when has_rect
  wchar_t text[kMenuProbeTextLength];
};

// The WM_NULL that asks the probe's hook to note the queue state: wParam is this marker, lParam a sequence
// number.
constexpr WPARAM kQueueProbeMarker = 0x51AE0001;
// What counts as not handled yet: input, posted messages and painting (timers run on their own).
constexpr UINT kPendingMessages = QS_KEY | QS_MOUSEMOVE | QS_MOUSEBUTTON | QS_POSTMESSAGE | QS_PAINT;

// Written by the hook in the thread that received the marked WM_NULL, read by the driver right after.
struct QueueProbeState {
  LPARAM sequence;
  DWORD pending;  // the kPendingMessages kinds waiting in the queue, from GetQueueStatus
  DWORD thread;
};

// The driver fills window and menu (menu 0: the window's menu bar); the probe fills the rest.
struct MenuProbeBlock {
  HWND window;
  HMENU menu;
  int32_t status;  // 0 read, 1 not a menu
  int32_t count;   // items in the menu; only the first kMenuProbeMaxItems are described
  MenuProbeItem items[kMenuProbeMaxItems];
};

// Reads block->menu (or the menu bar of block->window) into block; both the probe and the driver's direct
// path use it.
inline void read_menu_block(MenuProbeBlock* block) {
  if (!block->menu) block->menu = GetMenu(block->window);
  int count = block->menu ? GetMenuItemCount(block->menu) : -1;
  block->status = count < 0 ? 1 : 0;
  block->count = count < 0 ? 0 : count;
  for (int i = 0; i < block->count && i < kMenuProbeMaxItems; ++i) {
    MenuProbeItem& item = block->items[i];
    item = {};
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = item.text;
    info.cch = kMenuProbeTextLength;
    if (!GetMenuItemInfoW(block->menu, static_cast<UINT>(i), TRUE, &info)) continue;
    item.id = info.wID;
    item.state = info.fState;
    item.type = info.fType;
    item.submenu = info.hSubMenu;
    // A popup's items have rectangles only while it shows; its own window is found from the menu.
    bool bar = GetMenu(block->window) == block->menu;
    item.has_rect =
        GetMenuItemRect(bar ? block->window : nullptr, block->menu, static_cast<UINT>(i), &item.rect);
  }
}

}  // namespace ql::driver
