// Keys as panes receive them: the runtime's one-byte key codes, and who is offered a key first.
#pragma once

#include <windows.h>

#include <stdint.h>

namespace ql {

class Pane;

// The code of a key that types no character: Home 1, End 4, Help 5, Page Up 11, Page Down 12, the arrows
// 28 to 31 (left, right, up, down), forward Delete 127; 0 for any other key (its WM_CHAR brings it).
int32_t key_code_for_virtual_key(WPARAM virtual_key);

// Offers the key to pane, and when it does not take it, to the pane's window.
void deliver_key(Pane* pane, int32_t key);

}  // namespace ql
