// Screenshots for tests: a capture written as PNG (through the system's imaging component) or BMP, and the
// folder tests write them to.
#pragma once

#include <windows.h>

#include <string>

#include "driver_pixels.h"

namespace ql::driver {

bool save_png(const ScreenCapture& capture, const std::string& path);
bool save_bmp(const ScreenCapture& capture, const std::string& path);
// A PNG file's pixels as 32-bit BGRA rows from the top.
bool load_png(const std::string& path, std::vector<uint32_t>& pixels, UINT& width, UINT& height);

// The test output folder, with a trailing backslash: QL_TEST_OUTPUT when set, else "test-output" in the build
// tree (next to the bin folder). Made when missing.
std::string output_folder();

// Saves the whole screen, or the window's rectangle as the screen shows it, as NAME.png in the output folder
// (any character not allowed in file names becomes '_'). Returns the path, or "" when nothing could be saved.
std::string save_screenshot(const std::string& name, HWND window = nullptr);

// The path as the machine running Wine names it (Z:\work\x.png -> /work/x.png); unchanged on Windows.
std::string host_path(const std::string& windows_path);

}  // namespace ql::driver
