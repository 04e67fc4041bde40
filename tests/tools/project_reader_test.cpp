// Reading project descriptions, and errors that name the file, the line and the key.
#include "qlimage/project_reader.h"

#include <gtest/gtest.h>

namespace qlimage {
namespace {

std::string errors_of(const Diagnostics& diagnostics) {
  std::string all;
  for (const std::string& e : diagnostics.errors) all += e + "\n";
  return all;
}

TEST(ProjectReader, ReadsEveryTable) {
  const char* text = R"(
[application]
entry = "app_main"

[strings]
greeting = "Hello"
accented = "caf\u00e9 \u2013 \u20ac"

[imports]
ticks = "!Xkernel32.dll!GetTickCount"
deferred = "!MClass!Method"

[settings]
font_flag = 1
script_code = 34
messages = ["", "", "", "", "An exception of class %1 was not handled.\rThe application must shut down."]
mdi = true
mdi_title = "Loquat 1.2"

[[settings.file_types]]
name = "Text"
first_code = "TEXT"
second_code = "ttxt"
extensions = [".txt", ".text"]

[[settings.file_types]]
name = "Any"
)";
  Diagnostics diagnostics;
  std::optional<Project> project = read_project("app.toml", text, diagnostics);
  ASSERT_TRUE(project) << errors_of(diagnostics);
  EXPECT_EQ(project->entry, "app_main");
  ASSERT_EQ(project->strings.size(), 2u);
  EXPECT_EQ(project->strings[0].symbol, "accented");         // tables read in key order
  EXPECT_EQ(project->strings[0].text, "caf\xE9 \x96 \x80");  // Windows-1252
  EXPECT_EQ(project->strings[1].text, "Hello");
  ASSERT_EQ(project->imports.size(), 2u);
  EXPECT_EQ(project->imports[1].name, "!Xkernel32.dll!GetTickCount");
  ASSERT_TRUE(project->settings);
  const Settings& settings = *project->settings;
  EXPECT_EQ(settings.font_flag, 1);
  EXPECT_EQ(settings.script_code, 34u);
  ASSERT_EQ(settings.messages.size(), 5u);
  EXPECT_EQ(settings.messages[4],
            "An exception of class %1 was not handled.\rThe application must shut down.");
  EXPECT_TRUE(settings.mdi);
  ASSERT_EQ(settings.file_types.size(), 2u);
  EXPECT_EQ(settings.file_types[0].extensions, (std::vector<std::string>{".txt", ".text"}));
  EXPECT_EQ(settings.file_types[1].second_code, "");

  std::optional<Project> empty = read_project("empty.toml", "", diagnostics);
  ASSERT_TRUE(empty);
  EXPECT_FALSE(empty->settings);
}

TEST(ProjectReader, ErrorsNameTheFileLineAndKey) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"[application]\nentry = \"main\"\nentyr = \"x\"\n",
       "app.toml:3: unknown key 'entyr' in [application]"},
      {"[settings]\n\nfont = 1\n", "app.toml:3: unknown key 'font' in [settings]"},
      {"[window]\n", "app.toml:1: unknown key 'window' in the project file"},
      {"[windows]\n", "app.toml:1: the project file windows must be an array of tables ([[windows]]"},
      {"[[settings.file_types]]\nname = \"T\"\next = [\".t\"]\n",
       "app.toml:3: unknown key 'ext' in [[settings.file_types]]"},
      {"[settings]\nfont_flag = 256\n", "app.toml:2: [settings] font_flag must be an integer from 0 to 255"},
      {"[settings]\nmdi = 1\n", "app.toml:2: [settings] mdi must be true or false"},
      {"[settings]\nmessages = [\"a\", 2]\n",
       "app.toml:2: [settings] message must be a string, not an integer"},
      {"[[settings.file_types]]\nname = \"T\"\nfirst_code = \"TXT\"\n",
       "first_code must be empty or four characters"},
      {"[[settings.file_types]]\nname = \"T\"\nextensions = [\"txt\"]\n", "must begin with '.'"},
      {"[strings]\nempty = \"\"\n", "app.toml:2: [strings] empty is empty"},
      {"[strings]\nsnow = \"\u2603\"\n",
       "app.toml:2: [strings] snow holds U+2603, which Windows-1252 cannot represent"},
      {"[imports]\nx = \"!Xkernel32.dll\"\n", "a library import is written"},
      {"[imports]\nx = \"has blank\"\n", "must be an import name"},
      {"[strings]\nx = \"a\"\n[imports]\nx = \"RuntimeInit\"\n",
       "listed both under [strings] and under [imports]"},
      {"[application\n", "app.toml:1: not a valid TOML file"},
  };
  for (const Case& c : cases) {
    Diagnostics diagnostics;
    EXPECT_FALSE(read_project("app.toml", c.text, diagnostics)) << c.text;
    EXPECT_NE(errors_of(diagnostics).find(c.message), std::string::npos) << errors_of(diagnostics);
  }
}

}  // namespace
}  // namespace qlimage
