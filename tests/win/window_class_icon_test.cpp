// The runtime's window classes carry the program's first icon, the one Explorer shows for the file, so that
// the taskbar, Alt+Tab and a caption with a system menu show it too.
#include <windows.h>

#include <gtest/gtest.h>

#include "ui/window/window_registration.h"

namespace ql {
namespace {

HICON shared_icon(int metric) {
  int size = GetSystemMetrics(metric);
  return static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, LR_SHARED));
}

TEST(WindowClassIcon, EveryTopLevelClassTakesTheProgramsFirstIconLargeAndSmall) {
  register_runtime_window_classes(true);
  // This test program carries the icon the build makes for loquat.exe (tests/release/CMakeLists.txt); a
  // shared icon is one handle per size, so the classes must hold these very handles.
  HICON large = shared_icon(SM_CXICON);
  HICON small = shared_icon(SM_CXSMICON);
  ASSERT_TRUE(large && small) << "the test program carries no icon 1";
  ASSERT_NE(large, small);
  for (const char* name : {"QLWindow", "QL_MDIFRAME", "QL_MDICHILD"}) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), name, &wc)) << name;
    EXPECT_EQ(wc.hIcon, large) << name;
    EXPECT_EQ(wc.hIconSm, small) << name;
  }
}

}  // namespace
}  // namespace ql
