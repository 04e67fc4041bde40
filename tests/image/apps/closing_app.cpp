// Windows that close themselves from their own handlers (MouseDown, KeyDown, Activate, Resized while the
// loop applies geometry, a control's MouseEnter), a timer placed on a window, and a single control cloned
// twice. Traces what it sees; the test drives it through menus, clicks, keys and the mouse.
#include "quillet.h"

using quillet::Str;

extern "C" const uint8_t main_window[];
extern "C" const uint8_t mouse_window[];
extern "C" const uint8_t key_window[];
extern "C" const uint8_t activate_window[];
extern "C" const uint8_t resize_window[];
extern "C" const uint8_t enter_window[];

namespace {

QlObject* g_main = nullptr;
QlObject* g_closer = nullptr;  // the closer window open now
int32_t g_ticks = 0;

void trace_number(QlString label, int32_t n) {
  Str number(StringStr(IntToFP(n)));
  Str line(RuntimeAddString(label, number.get()));
  lineTrace(line.get());
}

void open_closer(const uint8_t* description) {
  QlObject* window = RuntimeCreateWindow(description, &g_closer);
  RuntimeUnlockObject(window);
}

}  // namespace

extern "C" {

extern const uint32_t app_size = sizeof(QlApplicationBase);
extern const uint32_t window_size = sizeof(QlWindowBase);
extern const uint32_t canvas_size = sizeof(QlCanvasBase);
extern const uint32_t timer_size = sizeof(QlTimerBase);
extern const uint32_t edit_field_size = sizeof(QlEditFieldBase);

void app_enable_menu_items(QlObject*) {
  const QlString names[] = {QL_STR("MouseCloser"),  QL_STR("KeyCloser"),   QL_STR("ActivateCloser"),
                            QL_STR("ResizeCloser"), QL_STR("EnterCloser"), QL_STR("CloneTwice")};
  for (QlString name : names) {
    QlObject* item = RuntimeMenuReference(name);
    if (item) RuntimeEnableMenu(item);
    RuntimeUnlockObject(item);
  }
}

bool open_mouse_closer(QlObject*) {
  open_closer(mouse_window);
  return true;
}
bool open_key_closer(QlObject*) {
  open_closer(key_window);
  return true;
}
bool open_activate_closer(QlObject*) {
  open_closer(activate_window);
  return true;
}
bool open_resize_closer(QlObject*) {
  open_closer(resize_window);
  return true;
}
bool open_enter_closer(QlObject*) {
  open_closer(enter_window);
  return true;
}

// True: the window would track the mouse, had it not closed.
bool close_on_mouse_down(QlObject* window, int32_t, int32_t) {
  RuntimeCloseWindow(window);
  return true;
}
// False: the key would go on to the window's own keys, had it not closed.
bool close_on_key_down(QlObject* window, QlString) {
  RuntimeCloseWindow(window);
  return false;
}
void close_on_activate(QlObject* window) { RuntimeCloseWindow(window); }

// The width grows after the window is built; the event loop applies it, and Resized closes the window.
void grow_on_open(QlObject* window) {
  windowPosSetter(window, kQlWidth, windowPosGetter(window, kQlWidth) + 50);
}
void close_when_grown(QlObject* window) {
  if (windowPosGetter(window, kQlWidth) > 200) RuntimeCloseWindow(window);
}

// The window variable names the closer open now: this pad's window.
void close_on_enter(QlObject*) { RuntimeCloseWindow(g_closer); }

void closer_close(QlObject* window) {
  Str title(windowTitleGetter(window, 0));
  Str line(RuntimeAddString(title.get(), QL_STR(" closed")));
  lineTrace(line.get());
}

void tick(QlObject* timer) {
  if (++g_ticks == 3) {
    lineTrace(QL_STR("the window's timer ticked three times"));
    timerModeSetter(timer, 0, 0);
  }
}

// Two copies of the single control Solo, moved apart; the caller's references go at once, so only the
// window keeps them.
bool clone_twice(QlObject* window) {
  const int32_t lefts[] = {100, 200};
  for (int32_t left : lefts) {
    QlObject* copy = RuntimeCloneControlReference(window, QL_STR("Solo"));
    ctlPosSetter(copy, kQlLeft, left);
    RuntimeUnlockObject(copy);
  }
  return true;
}

void solo_close(QlObject* field) { trace_number(QL_STR("Solo closed at "), ctlPosGetter(field, kQlLeft)); }

void main_close(QlObject*) { lineTrace(QL_STR("main closed")); }

void app_entry() {
  quillet::start_runtime();
  QlObject* window = RuntimeCreateWindow(main_window, &g_main);
  RuntimeRun();
  RuntimeUnlockObject(window);
}

}  // extern "C"
