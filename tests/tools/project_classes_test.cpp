// Reading the project's classes, and errors that name the line, the class and the key.
#include <gtest/gtest.h>

#include "qlimage/project_reader.h"

namespace qlimage {
namespace {

std::string errors_of(const Diagnostics& diagnostics) {
  std::string all;
  for (const std::string& e : diagnostics.errors) all += e + "\n";
  return all;
}

TEST(ProjectClasses, ReadsTheClassListInOrder) {
  const char* text = R"(
[[classes]]
kind = "reference"
name = "Application"

[[classes]]
name = "Loquat\u00c9"
superclass = "Application"
size = 28
hooks = [{ name = "Open", code = "app_open" }, { name = "EnableMenuItems", code = "app_enable", key = -1 }]

[[classes.menu_handlers]]
item = "FileQuit"
code = "app_quit"

[[classes]]
name = "Speaker"
interface = true
methods = [{ name = "Speak" }]

[[classes]]
kind = "compiled"
name = "Cloze"
superclass = "Applet"
size = "cloze_size"
constructor = "cloze_make"
destructor = "_ZN5ClozeD1Ev"
interfaces = ["Speaker"]
methods = [{ name = "Speak", code = "cloze_speak" }]
method_table = ["cloze_speak", 0, "cloze_check"]

[[classes]]
)";
  Diagnostics diagnostics;
  std::optional<Project> project = read_project("app.toml", text, diagnostics);
  ASSERT_TRUE(project) << errors_of(diagnostics);
  ASSERT_EQ(project->classes.size(), 5u);
  const std::vector<ClassDescription>& c = project->classes;
  EXPECT_TRUE(c[0].reference);
  EXPECT_EQ(c[0].name, "Application");
  EXPECT_FALSE(c[1].reference);
  EXPECT_EQ(c[1].name, "Loquat\xC9");
  EXPECT_EQ(c[1].superclass, "Application");
  EXPECT_EQ(c[1].size, 28u);
  ASSERT_EQ(c[1].hooks.size(), 2u);
  EXPECT_EQ(c[1].hooks[0].name, "Open");
  EXPECT_EQ(c[1].hooks[0].key, 0u);
  EXPECT_EQ(c[1].hooks[1].code, "app_enable");
  EXPECT_EQ(c[1].hooks[1].key, 0xFFFFFFFFu);
  ASSERT_EQ(c[1].menu_handlers.size(), 1u);
  EXPECT_EQ(c[1].menu_handlers[0].item, "FileQuit");
  EXPECT_EQ(c[1].menu_handlers[0].code, "app_quit");
  EXPECT_TRUE(c[2].is_interface);
  ASSERT_EQ(c[2].methods.size(), 1u);
  EXPECT_EQ(c[2].methods[0].code, "");
  EXPECT_FALSE(c[3].size);
  EXPECT_EQ(c[3].size_symbol, "cloze_size");
  EXPECT_EQ(c[3].destructor, "_ZN5ClozeD1Ev");
  EXPECT_EQ(c[3].interfaces, (std::vector<std::string>{"Speaker"}));
  EXPECT_EQ(c[3].method_table, (std::vector<std::string>{"cloze_speak", "", "cloze_check"}));
  EXPECT_EQ(c[4].name, "");  // anonymous; what it lacks is for the link to report
}

TEST(ProjectClasses, ErrorsNameTheLineTheClassAndTheKey) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"[[classes]]\nkind = \"reference\"\nname = \"Application\"\nsize = 28\n",
       "app.toml:4: unknown key 'size' in [[classes]] 0 'Application' (a reference); the keys allowed there "
       "are: kind, name"},
      {"[[classes]]\nkind = \"reference\"\n", "[[classes]] 0: a reference needs the name of a class"},
      {"[[classes]]\nkind = \"builtin\"\n", "app.toml:2: [[classes]] 0 kind must be \"compiled\" or"},
      {"[[classes]]\nname = \"A\"\n[[classes]]\nname = \"B\"\nsize = -4\n",
       "app.toml:5: [[classes]] 1 'B' size must be a number of bytes or the name of a data symbol"},
      {"[[classes]]\nsize = \"has blank\"\n", "[[classes]] 0 size must name a symbol of the compiled code"},
      {"[[classes]]\nname = \"A\"\nhooks = [{ name = \"Open\" }]\n",
       "app.toml:3: [[classes]] 0 'A' hooks: each hook needs a name and code"},
      {"[[classes]]\nhooks = [{ name = \"Open\", code = \"f\", key = 4294967296 }]\n",
       "hook 'Open' key must be a 32-bit integer"},
      {"[[classes]]\nhooks = [\"Open\"]\n", "hooks must hold tables"},
      {"[[classes]]\nmethods = [{ name = \"\", code = \"f\" }]\n", "method name is empty"},
      {"[[classes]]\nmethods = [{ name = \"M\", cod = \"f\" }]\n",
       "unknown key 'cod' in [[classes]] 0 methods"},
      {"[[classes]]\nmenu_handlers = [{ item = \"FileQuit\" }]\n",
       "each menu handler needs an item and code"},
      {"[[classes]]\nmethod_table = [\"f\", 1]\n", "method_table holds code symbols, or 0 for an empty slot"},
      {"[[classes]]\ninterface = \"yes\"\n", "interface must be true or false"},
      {"[[classes]]\ninterfaces = \"Speaker\"\n", "interfaces must be an array"},
      {"[[classes]]\nname = \"\u2603\"\n", "name holds U+2603, which Windows-1252 cannot represent"},
      {"[classes]\nname = \"A\"\n", "app.toml:1: 'classes' must be an array of tables ([[classes]])"},
      {"classes = [1]\n", "each entry of classes must be a table"},
  };
  for (const Case& c : cases) {
    Diagnostics diagnostics;
    EXPECT_FALSE(read_project("app.toml", c.text, diagnostics)) << c.text;
    EXPECT_NE(errors_of(diagnostics).find(c.message), std::string::npos) << errors_of(diagnostics);
  }
}

}  // namespace
}  // namespace qlimage
