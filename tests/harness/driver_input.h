// Real input, as a person gives it: mouse clicks, double clicks and drags at screen points or at points of a
// window's client area, key presses with modifiers, and typed text, all through SendInput, so the program
// receives the messages a mouse and keyboard would produce. Each call then settles the program that owns the
// window under the mouse (or the foreground window, for keys): see settle().
#pragma once

#include <windows.h>

#include <stdint.h>

#include <string>

#include "driver_failures.h"

namespace ql::driver {

enum class MouseButton { left, right, middle };

// Modifier keys held during a key press or click; combine with |.
enum Modifiers : unsigned { kNoModifiers = 0, kShift = 1, kCtrl = 2, kAlt = 4 };
inline Modifiers operator|(Modifiers a, Modifiers b) {
  return static_cast<Modifiers>(unsigned(a) | unsigned(b));
}

void move_mouse(POINT screen);
void click_at(POINT screen, MouseButton button = MouseButton::left, Modifiers modifiers = kNoModifiers);
void double_click_at(POINT screen);
// Presses at `from`, moves there in `steps` moves, and releases at `to`.
void drag(POINT from, POINT to, MouseButton button = MouseButton::left, int steps = 8);

// Clicks at a point of the window's client area (its centre when omitted). Fails the test, without clicking,
// when the window is not visible or another window covers that point.
bool click(HWND window, MouseButton button = MouseButton::left, Where where = Where::current());
bool click_in(HWND window, POINT client, MouseButton button = MouseButton::left,
              Where where = Where::current());
bool double_click_in(HWND window, POINT client, Where where = Where::current());
bool drag_in(HWND window, POINT from_client, POINT to_client, Where where = Where::current());
// Clicks the button child of `dialog` whose text is `text` (without "&"), such as a message box's "OK".
bool press_button(HWND dialog, const std::string& text, Where where = Where::current());

// Presses and releases a virtual key with the modifiers held, in the foreground window.
void press_key(WORD virtual_key, Modifiers modifiers = kNoModifiers);
// Types text (UTF-8) into the window with the keyboard focus: characters as Unicode key events, "\n" as
// Enter,
// "\t" as Tab.
void type_text(const std::string& text);

// Makes the window the foreground window, so keys go to it; fails the test when it does not become so.
bool bring_to_front(HWND window, int timeout_ms = 2000, Where where = Where::current());

// Waits, at most timeout_ms, until the process has handled what it was sent: two rounds in a row in which
// each of its GUI threads, sent a marked WM_NULL, had no input, posted message or painting queued (the
// driver's probe hook looks, see driver_probe.h) and its windows (which, where, shown, enabled, focus) did
// not change. Without the probe, a thread's answer to WM_NULL alone counts. Returns false when it did not
// settle in time; not a failure by itself.
bool settle(uint32_t process_id, int timeout_ms = 2000);
bool settle(HWND any_window_of_the_process, int timeout_ms = 2000);

}  // namespace ql::driver
