// Windows, controls and menus built from the image: menu dispatch in order, menu item arrays, invisible
// items, control arrays and their clones, lock-based resizing, CancelClose, IsCMMClick, and positions set
// before a window is built. Traces what it sees; the test drives it through menus, clicks and keys.
#include "quillet.h"

using quillet::Str;

extern "C" const uint8_t main_window[];
extern "C" const uint8_t other_window[];

namespace {

enum ClassIndex { kApp, kTestWindow, kBaseWindow, kOrderItem, kOtherWindow };

class Obj {
 public:
  explicit Obj(QlObject* owned) : object_(owned) {}
  Obj(const Obj&) = delete;
  Obj& operator=(const Obj&) = delete;
  ~Obj() { RuntimeUnlockObject(object_); }
  QlObject* get() const { return object_; }

 private:
  QlObject* object_;
};

QlObject* g_main = nullptr;
QlObject* g_other = nullptr;
int32_t g_cancel_count = 0;

void trace(QlString text) { lineTrace(text); }

void trace_number(QlString label, int32_t n) {
  Str number(StringStr(IntToFP(n)));
  Str line(RuntimeAddString(label, number.get()));
  trace(line.get());
}

void trace_position(QlString label, QlObject* control) {
  trace_number(label, ctlPosGetter(control, kQlLeft));
  trace_number(label, ctlPosGetter(control, kQlWidth));
}

}  // namespace

extern "C" {

extern const uint32_t test_window_size = sizeof(QlWindowBase);
extern const uint32_t app_size = sizeof(QlApplicationBase);
extern const uint32_t order_item_size = sizeof(QlMenuItemBase);

// The application: the third receiver of a menu command.
bool app_order(QlObject*) {
  trace(QL_STR("app Order, not handled"));
  return false;
}
bool app_super(QlObject*) {
  trace(QL_STR("app Super"));
  return true;
}
void app_open(QlObject*) { trace(QL_STR("app Open")); }

// Every item starts each enabling greyed; the application enables what it serves.
void app_enable_menu_items(QlObject*) {
  const QlString names[] = {QL_STR("OpenOther"),  QL_STR("Grow"),       QL_STR("Clones"), QL_STR("Cmm"),
                            QL_STR("Order"),      QL_STR("Super"),      QL_STR("Second"), QL_STR("Third"),
                            QL_STR("HideSecond"), QL_STR("CloseMember")};
  for (QlString name : names) {
    Obj item(RuntimeMenuReference(name));
    if (item.get()) RuntimeEnableMenu(item.get());
  }
  for (int32_t i = 0; i < 8; ++i) {
    Obj member(RuntimeMenuArrayReference(QL_STR("Member"), i));
    if (member.get()) RuntimeEnableMenu(member.get());
  }
}
void app_close(QlObject*) { trace(QL_STR("app Close")); }

// The window: the second receiver, and its own events.
bool window_order(QlObject*) {
  trace(QL_STR("window Order, not handled"));
  return false;
}
bool base_window_super(QlObject*) {
  trace(QL_STR("superclass Super: must not run"));
  return true;
}
bool order_item_action(QlObject*) {
  trace(QL_STR("item Action"));
  return true;
}

void window_open(QlObject* window) {
  trace_number(QL_STR("open width "), windowPosGetter(window, kQlWidth));
  // Three clones of a menu item array member; the newest comes first among them.
  const QlString names[] = {QL_STR("Member 1"), QL_STR("Member 2"), QL_STR("Member 3")};
  for (QlString name : names) {
    Obj clone(RuntimeCloneMenu(QL_STR("Member")));
    menuItemTextSetter(clone.get(), 0, name);
    trace_number(QL_STR("clone index "), menuItemIndexGetter(clone.get(), 0));
  }
}

bool window_clones(QlObject* window) {
  // Members 0, 1 and 3 exist: the first clone fills the gap, the next goes after them.
  Obj gap(RuntimeCloneControlReference(window, QL_STR("Box")));
  trace_number(QL_STR("box clone "), controlIndexGetter(gap.get(), 0));
  Obj found(RuntimeControlArrayItemReference(window, QL_STR("Box"), 2));
  trace(found.get() == gap.get() ? QL_STR("Box$2 registered") : QL_STR("Box$2 missing"));
  Obj bare(RuntimeControlReference(window, QL_STR("Box")));
  trace(bare.get() ? QL_STR("bare Box found") : QL_STR("bare Box nil"));
  Obj next(RuntimeCloneControlReference(window, QL_STR("Box")));
  Obj four(RuntimeControlArrayItemReference(window, QL_STR("Box"), 4));
  trace(four.get() == next.get() ? QL_STR("Box$4 registered") : QL_STR("Box$4 missing"));
  // A single control's copy goes under name + "*0"; the bare name still finds the original.
  Obj solo(RuntimeControlReference(window, QL_STR("Solo")));
  Obj copy(RuntimeCloneControlReference(window, QL_STR("Solo")));
  Obj again(RuntimeControlReference(window, QL_STR("Solo")));
  Obj starred(RuntimeControlReference(window, QL_STR("Solo*0")));
  trace(again.get() == solo.get() && starred.get() == copy.get() && copy.get() != solo.get()
            ? QL_STR("Solo*0 registered")
            : QL_STR("Solo clone misplaced"));
  return true;
}

bool window_hide_second(QlObject*) {
  Obj second(RuntimeMenuReference(QL_STR("Second")));
  menuItemVisibleSetter(second.get(), 0, false);
  return true;
}

bool window_close_member(QlObject*) {
  Obj first(RuntimeMenuArrayReference(QL_STR("Member"), 0));
  RuntimeCloseMenuItem(first.get());
  Obj clone(RuntimeCloneMenu(QL_STR("Member")));
  trace_number(QL_STR("reused index "), menuItemIndexGetter(clone.get(), 0));
  return true;
}

bool window_grow(QlObject* window) {
  windowPosSetter(window, kQlWidth, windowPosGetter(window, kQlWidth) + 100);
  return true;
}

bool window_cmm(QlObject*) {
  trace(IsCMMClick() ? QL_STR("after: cmm") : QL_STR("after: no cmm"));
  return true;
}

bool window_open_other(QlObject*) {
  if (!g_other) {
    QlObject* other = RuntimeCreateWindow(other_window, &g_other);
    RuntimeUnlockObject(other);
  }
  return true;
}

void window_resized(QlObject* window) {
  Obj stretch(RuntimeControlReference(window, QL_STR("Stretch")));
  Obj mover(RuntimeControlReference(window, QL_STR("Mover")));
  trace_position(QL_STR("stretch "), stretch.get());
  trace_position(QL_STR("mover "), mover.get());
}

bool window_mouse_down(QlObject*, int32_t x, int32_t y) {
  trace(IsCMMClick() ? QL_STR("mouse down: cmm") : QL_STR("mouse down: no cmm"));
  trace_number(QL_STR("x "), x);
  trace_number(QL_STR("y "), y);
  return false;
}

bool other_cancel_close(QlObject*) {
  ++g_cancel_count;
  trace(g_cancel_count == 1 ? QL_STR("cancel close: keep") : QL_STR("cancel close: let go"));
  return g_cancel_count == 1;
}
void other_close(QlObject*) { trace(QL_STR("other Close")); }
void main_close(QlObject*) { trace(QL_STR("main Close")); }

void app_entry() {
  quillet::start_runtime();
  // A window object that is not built keeps positions set on it.
  Obj unbuilt(RuntimeNewObject(kTestWindow));
  windowPosSetter(unbuilt.get(), kQlWidth, 345);
  trace_number(QL_STR("unbuilt width "), windowPosGetter(unbuilt.get(), kQlWidth));
  QlObject* window = RuntimeCreateWindow(main_window, &g_main);
  RuntimeRun();
  RuntimeUnlockObject(window);
}

}  // extern "C"
