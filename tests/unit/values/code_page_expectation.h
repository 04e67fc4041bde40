// The system's ANSI code page for tests whose expectation depends on it: they name the one they expect and
// are skipped under another (the Windows tests also run under code page 932).
#pragma once

#ifdef _WIN32
#include <windows.h>
#endif

namespace ql::testing {

inline unsigned ansi_code_page() {
#ifdef _WIN32
  return GetACP();
#else
  return 1252;  // the POSIX platform models Windows-1252
#endif
}

}  // namespace ql::testing

// Skips the test unless the system's ANSI code page is `expected`, saying which one it needs.
#define QL_EXPECT_CODE_PAGE(expected)                                        \
  if (::ql::testing::ansi_code_page() != (expected))                         \
  GTEST_SKIP() << "expects code page " << (expected) << ", the system's is " \
               << ::ql::testing::ansi_code_page()
