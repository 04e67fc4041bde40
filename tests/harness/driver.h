// The end-to-end driver: what a GoogleTest test uses to drive a Windows program as a person would, reading
// only what the program shows on the screen.
//
//   driver_program.h      Program: start, keep running, message boxes (answered or held), CPU time, end
//   driver_windows.h      WindowQuery, find_window/find_child, wait_for_window/wait_for_child, wait_until
//   driver_window_info.h  texts, classes, ids, rectangles, visibility, enabled state, focus
//   driver_input.h        clicks, drags, keys and typing through SendInput; settle()
//   driver_menus.h        menu items by label, their state, choosing by mouse and by keyboard
//   driver_pixels.h       ScreenCapture: colours at points, found or counted in rectangles
//   driver_reference.h    ReferenceDrawing: what a rectangle should show, compared pixel for pixel
//   driver_screenshots.h  PNG and BMP files, the test output folder
//   driver_checks.h       expect_* checks; driver_failures.h: every failure saves a screenshot
//
// Every wait has a timeout and fails the test when it runs out, returning a null or false result that the
// test can ASSERT on when later steps depend on it.
#pragma once

#include "driver_checks.h"
#include "driver_failures.h"
#include "driver_input.h"
#include "driver_menus.h"
#include "driver_pixels.h"
#include "driver_program.h"
#include "driver_reference.h"
#include "driver_screenshots.h"
#include "driver_text.h"
#include "driver_window_info.h"
#include "driver_windows.h"
