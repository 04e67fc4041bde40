// The window's default and cancel buttons, the default-button display, and moving the focus with Tab.
#include "ui/window/default_buttons.h"

#include <vector>

#include "objects/objects.h"
#include "ui/controls/push_button_pane.h"
#include "ui/panes/pane_state.h"
#include "ui/window/window_pane.h"

namespace ql {

namespace {

constexpr int32_t kKeyEnter = 3, kKeyTab = 9, kKeyReturn = 13, kKeyEscape = 27;

ButtonPane* as_button(Pane* pane) {
  static const ClassObject* push_button = builtin_class("PushButton");
  if (!pane || !object_isa(pane->language_object(), push_button)) return nullptr;
  return button_pane_of(pane->language_object()) == pane ? static_cast<ButtonPane*>(pane) : nullptr;
}

bool usable(ButtonPane* button) { return button->enabled() && button->visible() && !button->closed; }

// The window's first usable button with Default (or Cancel) set.
ButtonPane* marked_button(WindowPane* window, bool cancel) {
  for (Pane* child = window->first_child(); child; child = child->next_sibling()) {
    ButtonPane* button = as_button(child);
    if (button && (cancel ? button->is_cancel : button->is_default) && usable(button)) return button;
  }
  return nullptr;
}

bool move_focus(WindowPane* window, bool backwards) {
  std::vector<Pane*> order;
  for (Pane* child = window->first_child(); child; child = child->next_sibling()) {
    if (child->can_take_focus()) order.push_back(child);
  }
  if (order.empty()) return false;
  Pane* focus = focus_pane();
  size_t at = order.size();
  for (size_t i = 0; i < order.size(); ++i) {
    if (order[i] == focus) at = i;
  }
  size_t next;
  if (at == order.size()) {
    next = backwards ? order.size() - 1 : 0;
  } else {
    next = (at + (backwards ? order.size() - 1 : 1)) % order.size();
  }
  set_focus_pane(order[next]);
  return true;
}

}  // namespace

bool handle_window_key(WindowPane* window, int32_t key) {
  if (!window) return false;
  switch (key) {
    case kKeyReturn:
    case kKeyEnter: {
      ButtonPane* focused = as_button(focus_pane());
      ButtonPane* target = focused && focused->window() == window ? focused : marked_button(window, false);
      if (!target || !usable(target)) return false;
      target->click();
      return true;
    }
    case kKeyEscape: {
      ButtonPane* target = marked_button(window, true);
      if (!target) return false;
      target->click();
      return true;
    }
    case kKeyTab:
      return move_focus(window, GetKeyState(VK_SHIFT) < 0);
    default:
      return false;
  }
}

void update_default_buttons(WindowPane* window, Pane* focus) {
  if (!window) return;
  ButtonPane* focused = as_button(focus);
  if (focused && focused->window() != window) focused = nullptr;
  ButtonPane* shown = focused ? focused : marked_button(window, false);
  for (Pane* child = window->first_child(); child; child = child->next_sibling()) {
    if (ButtonPane* button = as_button(child)) button->show_as_default(button == shown);
  }
}

}  // namespace ql
