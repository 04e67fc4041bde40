// Windows, the menu bar, pictures, sounds, implicit instances and plug-ins from the project file, linked by
// the real command with files on disk, read back by `dump`; and the errors for what is wrong with them.
#include <gtest/gtest.h>

#include <sstream>

#include "qlimage/commands.h"
#include "tools/project_fixture.h"

namespace qltest {
namespace {

struct Result {
  int code;
  std::string out, err;
};

Result run(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  int code = qlimage::run_command(args, out, err);
  return {code, out.str(), err.str()};
}

Result link_fixture(const TempDir& dir, const FixtureFiles& files, const std::string& project) {
  return run({"link", "--project", project, "--file", "quilapp1=" + files.plugin, "--file",
              "exercises=" + files.exercises, "-o", dir.file("app.img"), files.object});
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

TEST(LinkTables, EveryTableReachesTheImageAndTheDump) {
  TempDir dir;
  FixtureFiles files = write_fixture(dir);
  Result linked = link_fixture(dir, files, files.project);
  ASSERT_EQ(linked.code, 0) << linked.err;
  EXPECT_NE(linked.out.find("10 classes, 6 items, 1 windows"), std::string::npos) << linked.out;
  Result dumped = run({"dump", dir.file("app.img")});
  ASSERT_EQ(dumped.code, 0) << dumped.out;
  const std::string& text = dumped.out;
  for (const std::string& expected : std::vector<std::string>{
           // The listed classes keep their indexes; the runtime classes the tables name follow in order of
           // first use, then the class made for the control.
           std::string("  class 4 at data1+"),
           std::string(": reference \"Listbox\"\n"),
           std::string(": reference \"Canvas\"\n"),
           std::string(": reference \"MenuItem\"\n"),
           std::string(": reference \"QuitMenuItem\"\n"),
           std::string(": reference \"Timer\"\n"),
           std::string(": compiled class (anonymous), superclass 5 \"Canvas\", size 200\n"
                       "    hooks: 1\n"
                       "      \"Paint\" code1+0x18, key 0\n"),
           std::string(": kind 1 (picture), 3 x 2 pixels, depth 16, 16 bytes, Transparent 1\n"),
           std::string(": kind 6 (sound), 7 bytes, 0.000 s at 22050 Hz\n"),
           std::string("  item 3: empty\n"),
           std::string(": kind 5 (implicit instance), class 8 \"Timer\" stored into data1+0x18\n"),
           std::string(": kind 2 (menu bar)\n"
                       "    menus: 2\n"
                       "      \"File\" class 6 \"MenuItem\"\n"
                       "        \"About Loquat\" name \"FileAbout\" class 6 \"MenuItem\"\n"
                       "        \"Font\" name \"FileFont\" class 6 \"MenuItem\", submenu:\n"
                       "          \"Fontname\" name \"FileFontFontname\" index 0 class 6 \"MenuItem\"\n"
                       "        \"-\" (separator) class 6 \"MenuItem\"\n"
                       "        \"Quit\" name \"FileQuit\" key \"Q\" class 7 \"QuitMenuItem\"\n"
                       "      \"Sounds\" class 6 \"MenuItem\"\n"),
           std::string("  item 6 at data1+"),
           std::string("title \"Loquat 1.2\""),
           std::string("windows: 1\n  cloze_window at data1+"),
           std::string(": class 2 \"Cloze\", 3 properties, 4 controls, 0 bindings\n"
                       "    \"Name\" = \"Cloze\"\n"
                       "    \"Title\" = \"Loquat \\xE9\"\n"
                       "    \"Width\" = \"796\"\n"
                       "    control 0: class 4 \"Listbox\"\n"
                       "      \"Name\" = \"List\"\n"
                       "      \"Index\" = \"-2147483648\"\n"
                       "      \"Left\" = \"10\"\n"
                       "    control 1: class 9 (anonymous)\n"
                       "      \"Name\" = \"Box\"\n"
                       "      \"Index\" = \"0\"\n"
                       "      \"InitialValue\" = \"one\\rtwo\\x09three\"\n"),
           std::string(
               "    control 3: class 9 (anonymous)\n      \"Name\" = \"Box\"\n      \"Index\" = \"2\"\n"),
           std::string("stored plug-ins: 1\n  \"quilapp1.dll\": " +
                       std::to_string(files.plugin_bytes.size()) + " bytes\n"),
       }) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n---\n" << text;
  }
}

TEST(LinkTables, ErrorsNameWhatIsWrongAndWhatToDo) {
  TempDir dir;
  FixtureFiles files = write_fixture(dir);
  std::vector<uint8_t> wide(16385 * 4, 255);
  dir.write("pictures/wide.png", png_file(16385, 1, wide));
  struct Case {
    std::string from, to, message;
  };
  const Case cases[] = {
      {"class = \"Listbox\"", "class = \"Listbx\"",
       "window 'cloze_window' control 'List' (control 0): class 'Listbx' is not a class of [[classes]], of "
       "the "
       "runtime, or of a plug-in; check its spelling"},
      {"superclass = \"Canvas\"", "superclass = \"Canvas\"\nclass = \"Canvas\"",
       "window 'cloze_window' control 'Box' (control 1) gives both class and superclass"},
      {"canvas_paint\" }]", "canvas_draw\" }]",
       "class 9 (anonymous) (made for window 'cloze_window' control 'Box' (control 1)): hook 'Paint' code "
       "'canvas_draw' is not defined by any input object"},
      {"class = \"QuitMenuItem\"", "class = \"QuitMenuItm\"",
       "menu item File > Quit: class 'QuitMenuItm' is not a class of [[classes]]"},
      {"key = \"Q\",", "ky = \"Q\",", "unknown key 'ky' in menu item File > Quit"},
      {"index = 0 }", "index = \"0\" }",
       "menu item File > Font > Fontname index must be an integer from -2147483648 to 2147483648"},
      {"item = 2", "item = 1",
       "sound item 1 (file 'click.u8'): item 1 is already taken by picture item 1 (file "
       "'pictures/tiny.png'); "
       "give each item a number of its own"},
      {"item = 4", "item = 0", "[[implicit_instances]] 0 item must be an integer from 1 to 65535"},
      {"file = \"click.u8\"", "file = \"clack.u8\"", "sound item 2: file 'clack.u8': "},
      {"file = \"pictures/tiny.png\"", "file = \"click.u8\"",
       "picture item 1: file 'click.u8' is not a PNG file that can be read"},
      {"file = \"pictures/tiny.png\"", "file = \"pictures/wide.png\"",
       "picture item 1: file 'pictures/wide.png' is 16385 x 1 pixels, too large for a picture of the image "
       "(at "
       "most 16384 pixels a side); scale it down"},
      {"global = \"the_timer\"", "global = \"no_timer\"",
       "implicit instance item 4: global 'no_timer' is not defined by any input object"},
      {"global = \"the_timer\"", "global = \"app_open\"",
       "implicit instance item 4: global 'app_open' is code"},
      {"name = \"quilapp1.dll\"", "name = \"system/quilapp1.dll\"",
       "[[plugins]] 0 name 'system/quilapp1.dll' is not a plain file name"},
      {"file = \"@quilapp1\"", "file = \"@exercises\"",
       "plug-in 'quilapp1.dll': file '@exercises' is not a DLL (a PE file)"},
      {"file = \"@quilapp1\"", "file = \"@plugin\"",
       "plug-in 'quilapp1.dll': file '@plugin' is given on the command line, but no --file plugin=PATH was "
       "given"},
      {"[[menus]]\ntext = \"Sounds\"",
       "[[windows.bindings]]\nfirst = 0\nsecond = 4\nbinder = \"listBinder\"\n[[menus]]\ntext = \"Sounds\"",
       "window 'cloze_window' binding 0: control number 4 is not a control of the window, which has 4 "
       "control "
       "records"},
      {"symbol = \"cloze_window\"", "symbol = \"main\"",
       "app.o: defines 'main', which the project " + dir.file("case.toml") + " also lists"},
  };
  for (const Case& c : cases) {
    std::string project = dir.write("case.toml", replaced(kFixtureProject, c.from, c.to));
    std::filesystem::remove(dir.file("app.img"));
    Result linked = link_fixture(dir, files, project);
    EXPECT_EQ(linked.code, 1) << c.message;
    EXPECT_NE(linked.err.find(c.message), std::string::npos) << c.message << "\n---\n" << linked.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("app.img"))) << c.message;
  }
  Result bad_option = run({"link", "--file", "quilapp1", "-o", dir.file("app.img"), files.object});
  EXPECT_NE(bad_option.err.find("--file quilapp1: give it as --file NAME=PATH"), std::string::npos)
      << bad_option.err;
}

}  // namespace
}  // namespace qltest
