// Which stored plug-in file names the host writes out.
#include <gtest/gtest.h>

#include <string>

#include "plugins/plugin_file_names.h"

namespace ql {
namespace {

TEST(PluginFileNames, PlainNamesPass) {
  for (const char* name : {"quilapp1.dll", "QUILAPP1.DLL", "a", "my plugin v2.dll", ".hidden.dll",
                           "console.dll", "com10.dll", "lpt.dll", "nul_ok.dll", "connect.dll"})
    EXPECT_TRUE(plain_file_name(name)) << name;
  EXPECT_TRUE(plain_file_name(std::string(255, 'x')));
}

TEST(PluginFileNames, AnythingThatReachesAnotherFolderOrADeviceIsRefused) {
  const char* const refused[] = {
      "",
      "..\\quilapp1.dll",
      "../quilapp1.dll",
      "sub\\quilapp1.dll",
      "sub/quilapp1.dll",
      "C:quilapp1.dll",
      "C:\\Windows\\quilapp1.dll",
      "\\\\server\\share\\q.dll",
      "quilapp1.dll:stream",
      "..",
      ".",
      "...",
      "quilapp1..dll",
      "quilapp1.dll.",
      "quilapp1.dll ",
      "q<1>.dll",
      "q|1.dll",
      "q?.dll",
      "q*.dll",
      "q\".dll",
      "CON",
      "con",
      "Con.dll",
      "NUL",
      "nul.dll",
      "PRN.txt",
      "AUX",
      "COM1",
      "com9.dll",
      "LPT1",
      "lpt3.dll",
      "CONIN$",
      "conout$.dll",
      "CLOCK$",
      "NUL .dll",
      "con.txt.x",
  };
  for (const char* name : refused) EXPECT_FALSE(plain_file_name(name)) << '"' << name << '"';
  EXPECT_FALSE(plain_file_name(std::string("q\x01.dll")));
  EXPECT_FALSE(plain_file_name(std::string("q\0.dll", 6)));
  EXPECT_FALSE(plain_file_name(std::string(256, 'x')));
}

}  // namespace
}  // namespace ql
