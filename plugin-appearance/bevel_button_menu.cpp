// BevelButton's menu rows, the methods that change them, its action notification receivers, and the popup
// menu a button with rows opens.
#include "bevel_button.h"

#include "control_support.h"
#include "host.h"

namespace quilapp {

namespace {

constexpr UINT kFirstItem = 1000;

MenuRow* new_row(QlString text, bool separator) {
  auto* row = static_cast<MenuRow*>(allocate(sizeof(MenuRow)));
  if (!row) return nullptr;
  row->separator = separator ? 1 : 0;
  if (!separator) {
    host::lock_string(text);
    row->text = text;
  }
  return row;
}

void free_row(MenuRow* row) {
  host::unlock_string(row->text);
  release_memory(row);
}

// The link that holds the row at index, or the last link when index is at or past the end.
MenuRow** link_at(BevelButtonData* data, int32_t index) {
  MenuRow** link = &data->rows;
  for (int32_t i = 0; *link && i < index; ++i) link = &(*link)->next;
  return link;
}

void append(QlObject* instance, MenuRow* row) {
  if (!row) return;
  MenuRow** end = link_at(bevel_data(instance), INT32_MAX);
  *end = row;
}

// The point of the control's window content coordinates on the screen.
POINT on_screen(QlObject* instance, POINT content) {
  HWND hwnd = host::control_hwnd(instance);
  if (!hwnd) return content;
  char class_name[16] = {};
  GetClassNameA(hwnd, class_name, sizeof class_name);
  if (lstrcmpiA(class_name, "QL_Pane") == 0) {
    // The pane's own window starts at the control's top-left.
    QlPluginRect b = host::bounds(instance);
    content.x -= b.left;
    content.y -= b.top;
  }
  ClientToScreen(hwnd, &content);
  return content;
}

}  // namespace

void free_menu_rows(BevelButtonData* data) {
  for (MenuRow* row = data->rows; row;) {
    MenuRow* next = row->next;
    free_row(row);
    row = next;
  }
  data->rows = nullptr;
}

int32_t menu_row_count(const BevelButtonData* data) {
  int32_t n = 0;
  for (const MenuRow* row = data->rows; row; row = row->next) ++n;
  return n;
}

const MenuRow* menu_row_at(const BevelButtonData* data, int32_t index) {
  if (index < 0) return nullptr;
  const MenuRow* row = data->rows;
  for (int32_t i = 0; row && i < index; ++i) row = row->next;
  return row;
}

void delete_all_rows(QlObject* instance) { free_menu_rows(bevel_data(instance)); }
void add_row(QlObject* instance, QlString text) { append(instance, new_row(text, false)); }
void add_separator(QlObject* instance) { append(instance, new_row(nullptr, true)); }

void remove_row(QlObject* instance, int32_t row) {
  if (row < 0) return;
  MenuRow** link = link_at(bevel_data(instance), row);
  MenuRow* gone = *link;
  if (!gone) return;
  *link = gone->next;
  free_row(gone);
}

void insert_row(QlObject* instance, int32_t row, QlString text) {
  MenuRow* added = new_row(text, false);
  if (!added) return;
  MenuRow** link = link_at(bevel_data(instance), row < 0 ? 0 : row);
  added->next = *link;
  *link = added;
}

QlString list_row(QlObject* instance, int32_t row) {
  const MenuRow* found = menu_row_at(bevel_data(instance), row);
  if (!found || found->separator) return nullptr;
  host::lock_string(found->text);
  return found->text;
}

void add_receiver(QlObject* instance, QlObject* receiver) {
  if (!receiver) return;
  auto* entry = static_cast<Receiver*>(allocate(sizeof(Receiver)));
  if (!entry) return;
  host::lock_object(receiver);
  BevelButtonData* data = bevel_data(instance);
  entry->object = receiver;
  entry->next = data->receivers;
  data->receivers = entry;
}

void remove_receiver(QlObject* instance, QlObject* receiver) {
  for (Receiver** link = &bevel_data(instance)->receivers; *link; link = &(*link)->next) {
    if ((*link)->object != receiver) continue;
    Receiver* gone = *link;
    *link = gone->next;
    host::unlock_object(gone->object);
    release_memory(gone);
    return;
  }
}

void free_receivers(BevelButtonData* data) {
  for (Receiver* r = data->receivers; r;) {
    Receiver* next = r->next;
    host::unlock_object(r->object);
    release_memory(r);
    r = next;
  }
  data->receivers = nullptr;
}

int32_t track_bevel_menu(QlObject* instance, BevelButtonData* data) {
  HMENU menu = CreatePopupMenu();
  if (!menu) return -1;
  int32_t index = 0;
  for (const MenuRow* row = data->rows; row; row = row->next, ++index) {
    if (row->separator) {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    } else {
      UINT flags = MF_STRING | (index == data->menu_value ? MF_CHECKED : MF_UNCHECKED);
      AppendMenuA(menu, flags, kFirstItem + index, host::c_string(row->text));
    }
  }
  QlPluginRect b = host::bounds(instance);
  POINT corner = data->has_menu == kMenuRight ? POINT{b.right, b.top} : POINT{b.left, b.bottom};
  POINT screen = on_screen(instance, corner);
  HWND owner = host::control_hwnd(instance);
  UINT chosen =
      static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN,
                                       screen.x, screen.y, 0, owner, nullptr));
  DestroyMenu(menu);
  return chosen >= kFirstItem ? static_cast<int32_t>(chosen - kFirstItem) : -1;
}

}  // namespace quilapp
