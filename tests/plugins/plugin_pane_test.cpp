// The pane of plug-in controls, driven with probe controls registered in-process the way a plug-in's entry
// registers them: which behaviour functions run when, with what, and in which order.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/window_building.h"
#include "driver_input.h"
#include "objects/class_registry.h"
#include "objects/objects.h"
#include "plugin_test_support.h"
#include "plugins/plugin_host.h"
#include "plugins/plugin_pane.h"
#include "quillet/plugins.h"
#include "quillet/windows.h"
#include "ui/controls/control_object.h"
#include "ui/panes/pane_state.h"

namespace ql {
namespace {

using namespace plugin_testing;

std::vector<std::string> log;
void record(const std::string& entry) { log.push_back(entry); }

void created(QlObject*) { record("created"); }
void destroying(QlObject* instance) {
  // The pane, when there still is one, is closed before the plug-in's destructor runs.
  Pane* pane = as_control_fields(instance)->pane;
  record(pane ? (pane->closed ? "destroying, pane closed" : "destroying, pane open") : "destroying");
}
void draw(QlObject*, QlObject* graphics) {
  record(graphics && QUILGraphicsDC(graphics) ? "draw with a DC" : "draw");
}
bool mouse_down(QlObject*, int32_t x, int32_t y, int32_t) {
  record("down " + std::to_string(x) + "," + std::to_string(y));
  return true;
}
void mouse_drag(QlObject*, int32_t, int32_t) { record("drag"); }
void mouse_up(QlObject*, int32_t x, int32_t y) {
  record("up " + std::to_string(x) + "," + std::to_string(y));
}
void gained(QlObject*) { record("gained focus"); }
void lost(QlObject*) { record("lost focus"); }
bool key_down(QlObject*, uint8_t character, uint8_t code, int16_t) {
  record("key " + std::string(1, static_cast<char>(character)) + " " + std::to_string(code));
  return character == 'k';
}
void opened(QlObject*) { record(current_port() ? "opened as the port" : "opened"); }
void closing(QlObject*) { record("closing"); }
int idles = 0;
void idle(QlObject*) { ++idles; }
bool command(QlObject*) {
  record("command");
  return true;
}

const QlPluginBehaviour kBehaviour = {created, destroying, draw,   mouse_down, mouse_drag, mouse_up, gained,
                                      lost,    key_down,   opened, closing,    idle,       draw,     command};

QlPluginEventRecord probe_events[] = {{"Ping", nullptr}, {"Pong(X As Integer) As Boolean", nullptr}};
QlPluginControlRecord visible_probe = {4,
                                       "PaneProbe",
                                       8,
                                       QL_PLUGIN_FOCUSABLE | QL_PLUGIN_OPAQUE_AREA,
                                       0,
                                       0,
                                       40,
                                       30,
                                       nullptr,
                                       0,
                                       nullptr,
                                       0,
                                       probe_events,
                                       2,
                                       &kBehaviour};
QlPluginControlRecord invisible_probe = {
    4, "InvisibleProbe", 8, QL_PLUGIN_INVISIBLE, 0, 0, 40, 30, nullptr, 0, nullptr,
    0, nullptr,          0, &kBehaviour};

void register_probes(QlPluginResolver resolver) {
  reinterpret_cast<void (*)(int32_t)>(resolver("RegisterPluginVersion"))(4);
  auto register_control = reinterpret_cast<void (*)(void*)>(resolver("PluginRegisterControl"));
  register_control(&visible_probe);
  register_control(&invisible_probe);
}

void ping(QlObject*) {}

ClassObject* probe_class(const char* name) {
  define_ui_test_classes();
  static bool registered = false;
  if (!registered) {
    registered = true;
    run_plugin_main(register_probes, "probes.dll");
  }
  return class_by_name(name);
}

TestControl probe(const char* class_name, const char* name, int left, int top) {
  return {subclass_of(probe_class(class_name), {{"Ping", 0, reinterpret_cast<uintptr_t>(ping)}}),
          control_properties(name, left, top, 40, 30)};
}

// Where the entry is in the log, or -1.
int position(const std::string& entry) {
  auto found = std::find(log.begin(), log.end(), entry);
  return found == log.end() ? -1 : static_cast<int>(found - log.begin());
}
bool logged(const std::string& entry) { return position(entry) >= 0; }

TEST(PluginPane, OpensDrawsTracksTheMouseAndTakesTheFocus) {
  log.clear();
  TestWindow window({probe("PaneProbe", "Probe", 50, 40)});
  ASSERT_TRUE(window.hwnd());
  QlObject* control = window.control("Probe");
  ASSERT_NE(control, nullptr);
  PluginPane* pane = plugin_pane_of(control);
  ASSERT_NE(pane, nullptr);
  ASSERT_NE(pane->hwnd(), nullptr);
  char class_name[16] = {};
  GetClassNameA(pane->hwnd(), class_name, sizeof class_name);
  EXPECT_STREQ(class_name, "QL_Pane");
  EXPECT_TRUE(GetWindowLongA(pane->hwnd(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log[0], "created");
  EXPECT_EQ(log[1], "opened as the port");
  EXPECT_TRUE(logged("draw with a DC"));

  // A real press, a drag while tracking and the release, in window content coordinates.
  log.clear();
  mouse_button(window.screen_point(60, 50), true);
  ASSERT_TRUE(pump_until([] { return logged("down 60,50"); }));
  SetCursorPos(window.screen_point(75, 55).x, window.screen_point(75, 55).y);
  ASSERT_TRUE(pump_until([] { return logged("drag"); }));
  mouse_button(window.screen_point(75, 55), false);
  ASSERT_TRUE(pump_until([] { return logged("up 75,55"); }));
  ASSERT_TRUE(logged("gained focus"));
  EXPECT_LT(position("gained focus"), position("down 60,50"));
  EXPECT_LT(position("down 60,50"), position("drag"));
  EXPECT_LT(position("drag"), position("up 75,55"));
  EXPECT_EQ(focus_pane(), pane);
  EXPECT_EQ(tracking_pane(), nullptr);

  // Keys: the character and the key code; True consumes.
  log.clear();
  EXPECT_TRUE(pane->key_down('k' | (0x4B << 8)));
  EXPECT_FALSE(pane->key_down('x'));
  EXPECT_EQ(log, (std::vector<std::string>{"key k 75", "key x 120"}));
  set_focus_pane(nullptr);
  EXPECT_EQ(log.back(), "lost focus");
  EXPECT_TRUE(pane->can_take_focus());
  ControlVisibleSetter(control, 0, false);
  EXPECT_FALSE(pane->can_take_focus());
  ControlVisibleSetter(control, 0, true);

  // A notification of a child window the plug-in made in its pane.
  log.clear();
  HWND child = CreateWindowExA(0, "BUTTON", "in pane", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 30, 20,
                               pane->hwnd(), nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(child, nullptr);
  SendMessageA(child, BM_CLICK, 0, 0);
  settle();
  EXPECT_TRUE(logged("command"));
}

TEST(PluginPane, IdleRunsAsAPeriodicTaskOnceEveryTenTicks) {
  TestClock clock;
  TestWindow window({probe("PaneProbe", "Idler", 50, 40)});
  ASSERT_TRUE(window.hwnd());
  idles = 0;
  for (int period = 1; period <= 3; ++period) {
    clock.advance(9 * 16);
    run_passes(10);
    EXPECT_EQ(idles, period - 1) << "an idle call before ten ticks";
    clock.advance(16);
    EXPECT_TRUE(pump_until([&] { return idles == period; })) << "no idle call after ten ticks";
  }
  RuntimeCloseWindow(window.object());
  settle();
  const int after_close = idles;
  clock.advance(100 * 16);
  run_passes(20);
  EXPECT_EQ(idles, after_close) << "the idle task outlived the pane";
}

TEST(PluginPane, AControlWithFlagBitTwoGetsNoPaneAndNoCalls) {
  log.clear();
  TestWindow window({probe("InvisibleProbe", "Ghost", 50, 40)});
  ASSERT_TRUE(window.hwnd());
  QlObject* control = window.control("Ghost");
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(as_control_fields(control)->pane, nullptr);
  driver::click_at(window.screen_point(60, 50));
  settle();
  InvalidateRect(window.hwnd(), nullptr, TRUE);
  settle();
  EXPECT_EQ(log, std::vector<std::string>{"created"});
}

TEST(PluginPane, DestroyingClosesThePaneFirstAndThePaneThenForgetsTheInstance) {
  TestWindow window({});
  ASSERT_TRUE(window.hwnd());
  ClassObject* cls = probe_class("PaneProbe");
  log.clear();
  QlObject* control =
      make_control(window.object(), cls,
                   {{"Name", "Loose"}, {"Left", "10"}, {"Top", "10"}, {"Width", "40"}, {"Height", "30"}});
  make_control_pane(control);
  ASSERT_NE(plugin_pane_of(control), nullptr);
  settle();
  log.clear();
  release_object(control);
  settle();
  EXPECT_EQ(log, (std::vector<std::string>{"closing", "destroying, pane closed"}));
}

TEST(PluginPane, GetEventInstanceFindsOnlyWhatTheSubclassImplements) {
  TestControl spec = probe("PaneProbe", "Events", 0, 0);
  QlObject* plain = new_object(probe_class("PaneProbe"));
  QlObject* derived = new_object(spec.cls);
  EXPECT_EQ(GetEventInstance(derived, probe_events[0].descriptor), reinterpret_cast<void*>(ping));
  EXPECT_EQ(GetEventInstance(derived, probe_events[1].descriptor), nullptr);
  EXPECT_EQ(GetEventInstance(plain, probe_events[0].descriptor), nullptr);
  release_object(plain);
  release_object(derived);
}

}  // namespace
}  // namespace ql
