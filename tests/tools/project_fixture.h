// A small application with every kind of project table, written into a scratch directory as a test would
// build it: one x86-64 object, the project description, a PNG picture, a sound, a plug-in file and a file
// that a control property takes its text from. The link tests and the load test share it.
#pragma once

#include <string>
#include <vector>

#include "tools/coff_builder.h"
#include "tools/pe_builder.h"
#include "tools/png_file.h"
#include "tools/temp_dir.h"

namespace qltest {

// Code offsets of the object's functions (8 bytes apart) and data offsets of its globals.
constexpr uint32_t kMainAt = 0, kAppOpenAt = 8, kAppQuitAt = 16, kCanvasPaintAt = 24;
constexpr uint32_t kWindowRefAt = 0, kChainRefAt = 8, kTimerAt = 16;

// main calls RuntimeInit; .data holds a pointer to the window description, a pointer to the plug-in chain
// head word, and the global that receives the implicit instance.
inline Bytes fixture_object() {
  CoffBuilder builder(coff::kMachineAmd64);
  Bytes code = {0x55};
  uint32_t call_field = call(code);
  code.push_back(0xC3);
  code.resize(32, 0xC3);
  int text = builder.section(".text", kCode, code);
  builder.symbol("main", text, kMainAt);
  builder.symbol("app_open", text, kAppOpenAt);
  builder.symbol("app_quit", text, kAppQuitAt);
  builder.symbol("canvas_paint", text, kCanvasPaintAt);
  builder.reloc(text, call_field, builder.undefined("RuntimeInit"), coff::kAmd64Rel32);
  int data = builder.section(".data", kData, Bytes(24, 0), 8);
  builder.symbol("window_ref", data, kWindowRefAt);
  builder.symbol("chain_ref", data, kChainRefAt);
  builder.symbol("the_timer", data, kTimerAt);
  builder.reloc(data, kWindowRefAt, builder.undefined("cloze_window"), coff::kAmd64Addr64);
  builder.reloc(data, kChainRefAt, builder.undefined("ql_plugin_chain_head"), coff::kAmd64Addr64);
  return builder.build();
}

constexpr const char* kFixtureProject = R"([application]
entry = "main"

[settings]
mdi_title = "Loquat 1.2"

[[classes]]
kind = "reference"
name = "Application"

[[classes]]
name = "LoquatApp"
superclass = "Application"
size = 64
hooks = [{ name = "Open", code = "app_open" }]
menu_handlers = [{ item = "FileQuit", code = "app_quit" }]

[[classes]]
name = "Cloze"
superclass = "Applet"
size = 240

[[classes]]
kind = "reference"
name = "Applet"

[[windows]]
symbol = "cloze_window"
class = "Cloze"
properties = [["Name", "Cloze"], ["Title", "Loquat \u00e9"], ["Width", "796"]]

[[windows.controls]]
class = "Listbox"
properties = [["Name", "List"], ["Index", "-2147483648"], ["Left", "10"]]

[[windows.controls]]
superclass = "Canvas"
hooks = [{ name = "Paint", code = "canvas_paint" }]
properties = [["Name", "Box"], ["Index", "7"], ["InitialValue", { file = "@exercises" }]]
count = 3

[[menus]]
text = "File"
items = [
  { text = "About Loquat", name = "FileAbout" },
  { text = "Font", name = "FileFont", items = [ { text = "Fontname", name = "FileFontFontname", index = 0 } ] },
  { text = "-" },
  { text = "Quit", name = "FileQuit", key = "Q", class = "QuitMenuItem" },
]

[[menus]]
text = "Sounds"

[[pictures]]
item = 1
file = "pictures/tiny.png"
transparent = true

[[sounds]]
item = 2
file = "click.u8"

[[implicit_instances]]
item = 4
class = "Timer"
global = "the_timer"

[[plugins]]
name = "quilapp1.dll"
file = "@quilapp1"
)";

// 3 x 2 pixels: red, green, blue / white, a transparent pixel, grey 0x80.
inline std::vector<uint8_t> fixture_pixels() {
  return {255, 0,   0,   255, 0,  255, 0,  255, 0,   0,   255, 255,
          255, 255, 255, 255, 10, 20,  30, 0,   128, 128, 128, 255};
}

inline const Bytes& fixture_sound() {
  static const Bytes sound = {0x80, 0x90, 0xA0, 0x90, 0x80, 0x70, 0x60};
  return sound;
}

struct FixtureFiles {
  std::string object, project, plugin, exercises;
  Bytes plugin_bytes;
};

inline FixtureFiles write_fixture(const TempDir& dir, const std::string& project = kFixtureProject) {
  FixtureFiles files;
  files.object = dir.write("app.o", fixture_object());
  files.project = dir.write("app.toml", project);
  std::filesystem::create_directories(dir.file("pictures"));
  dir.write("pictures/tiny.png", png_file(3, 2, fixture_pixels()));
  dir.write("click.u8", fixture_sound());
  files.plugin_bytes = minimal_pe();
  std::filesystem::create_directories(dir.file("out"));
  files.plugin = dir.write("out/quilapp1.dll", files.plugin_bytes);
  files.exercises = dir.write("exercises.txt", std::string("one\rtwo\tthree"));
  return files;
}

}  // namespace qltest
