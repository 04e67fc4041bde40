// Key codes and key delivery.
#include "ui/events/key_routing.h"

#include "ui/panes/pane.h"
#include "ui/window/window_pane.h"

namespace ql {

int32_t key_code_for_virtual_key(WPARAM virtual_key) {
  switch (virtual_key) {
    case VK_HOME:
      return 1;
    case VK_END:
      return 4;
    case VK_HELP:
      return 5;
    case VK_PRIOR:
      return 11;
    case VK_NEXT:
      return 12;
    case VK_LEFT:
      return 28;
    case VK_RIGHT:
      return 29;
    case VK_UP:
      return 30;
    case VK_DOWN:
      return 31;
    case VK_DELETE:
      return 127;
    default:
      return 0;
  }
}

void deliver_key(Pane* pane, int32_t key) {
  if (!pane || pane->key_down(key)) return;
  WindowPane* window = pane->window();
  if (window && static_cast<Pane*>(window) != pane) window->key_down(key);
}

}  // namespace ql
