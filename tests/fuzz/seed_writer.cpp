// Writes the seed inputs of the fuzz targets that read the image's own formats, with the runtime's encoders
// and the tests' data1 builders: write_fuzz_seeds CORPUS_DIR (scripts/make-fuzz-seeds.sh runs it).
#include <stdint.h>
#include <stdio.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "image/image_format.h"
#include "image/menu_bar_stream.h"
#include "image/picture_record.h"
#include "image/stream_reader.h"
#include "image/window_description.h"
#include "unit/image/image_bytes.h"
#include "unit/objects/descriptor_builder.h"

namespace {

using ql::test::Bytes;
using ql::testing::Data1Builder;
namespace image = ql::image;

std::filesystem::path corpus;

void write_seed(const std::string& target, const std::string& name, const Bytes& bytes) {
  std::filesystem::create_directories(corpus / target);
  std::ofstream out(corpus / target / name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes text_bytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

void window_descriptions() {
  write_seed("window_description", "empty", image::encode_window_description({}));
  image::WindowDescription d;
  d.class_index = 2;
  d.properties = {{"Title", "Loquat"}, {"Width", "640"}, {"Frame", "0"}};
  d.controls = {{5, {{"Name", "BoxStrip"}, {"Index", "0"}, {"Left", "10"}}}, {7, {{"Name", "Editor"}}}};
  d.bindings = {{0, 1, 9, "Text", "Value"}};
  write_seed("window_description", "window", image::encode_window_description(d));
}

image::MenuEntry menu_item(const char* text, const char* name, int32_t index = int32_t(0x80000000u)) {
  image::MenuEntry item;
  item.text = text;
  item.name = name;
  item.index = index;
  return item;
}

void menu_bars() {
  image::MenuBarStream bar;
  image::MenuEntry file = menu_item("File", "FileMenu");
  file.items = {menu_item("Open...", "FileOpen"), menu_item("-", "Sep1"), menu_item("Quit", "FileQuit")};
  file.items[0].command_key = "O";
  image::MenuEntry lessons = menu_item("Lessons", "LessonsMenu");
  image::MenuEntry articles = menu_item("Articles", "Articles");
  articles.has_submenu = true;
  articles.items = {menu_item("a, an", "Articles1", 0), menu_item("the", "Articles1", 1)};
  lessons.items = {articles};
  bar.menus = {file, lessons};
  write_seed("menu_bar", "two_menus", image::encode_menu_bar(bar));
  write_seed("menu_bar", "none", image::encode_menu_bar({}));
}

Bytes picture(uint32_t depth, uint32_t width, uint32_t height) {
  Bytes record;
  ql::test::put_u32(record, image::kItemPicture);
  for (uint32_t word : {0u, depth, width, height, image::row_bytes(depth, width) * height})
    ql::test::put_u32(record, word);
  for (uint32_t i = 0; i < image::row_bytes(depth, width) * height; ++i)
    record.push_back(static_cast<uint8_t>(i * 37));
  return record;
}

void pictures() {
  write_seed("picture_record", "depth16_3x2", picture(16, 3, 2));
  write_seed("picture_record", "depth32_2x2", picture(32, 2, 2));
  write_seed("picture_record", "depth1_9x1", picture(1, 9, 1));
}

Bytes settings_stream(bool with_types) {
  Bytes s;
  s.push_back(1);
  image::write_u32_be(s, 0);
  image::write_u32_be(s, 13);
  image::write_varint(s, with_types ? 1 : 0);
  if (with_types) {
    for (const char* text : {"Text", "TEXT", "ttxt", ".txt;.text"}) image::write_text(s, text);
  }
  image::write_varint(s, 5);
  for (const char* text :
       {"", "", "", "", "An exception of class %1 was not handled.\rThe application must shut down."})
    image::write_text(s, text);
  s.push_back(with_types ? 1 : 0);
  image::write_text(s, "Loquat 1.2");
  return s;
}

void settings() {
  write_seed("settings", "with_file_type", settings_stream(true));
  write_seed("settings", "plain", settings_stream(false));
}

void stream_reader() {
  Bytes s = {0x1B};  // varint, text, u32, skip, repeated
  for (int32_t value : {5, -70, int32_t(0x80000000u)}) {
    image::write_varint(s, value);
    image::write_text(s, "text");
    image::write_u32_be(s, 0x01020304);
    s.push_back(3);
    s.insert(s.end(), {9, 9, 9});
  }
  write_seed("stream_reader", "mixed", s);
  Bytes varints = {0x00};
  for (int32_t value : {0, 63, 64, -1, 8191, -8192, 0x7FFFFFFF}) image::write_varint(varints, value);
  write_seed("stream_reader", "varints", varints);
}

// data1 with a project table of classes: a reference to Application, a compiled subclass with a hook, a
// menu handler and a method table, an interface and a class that implements it.
Data1Builder classes_data1() {
  using namespace ql::testing;
  Data1Builder data1;
  data1.words({0, 0});
  std::vector<uint32_t> descriptors;
  descriptors.push_back(write_reference(data1, "Application"));
  CompiledDescriptor app;
  app.name = "TestApp";
  app.superclass = 0;
  app.size = 64;
  app.hooks = {{"Open", code_word(0x10), 0}};
  app.menu_handlers = {{"FileQuit", code_word(0x20)}};
  app.method_table = {0, code_word(0x30)};
  descriptors.push_back(write_descriptor(data1, app));
  CompiledDescriptor speaker;
  speaker.name = "Speaker";
  speaker.is_interface = true;
  speaker.methods = {{"Speak", 0}};
  descriptors.push_back(write_descriptor(data1, speaker));
  CompiledDescriptor dog;
  dog.name = "Dog";
  dog.has_constructor = true;
  dog.constructor = code_word(0x40);
  dog.destructor = code_word(0x50);
  dog.interfaces = {2};
  dog.methods = {{"Speak", code_word(0x60)}};
  descriptors.push_back(write_descriptor(data1, dog));
  data1.align(4);
  uint32_t table = data1.here();
  data1.word(static_cast<uint32_t>(descriptors.size()));
  for (uint32_t d : descriptors) data1.word(d);
  data1.word(0);  // no items
  data1.set_word(Data1Builder::kBase + 4, table);
  return data1;
}

void class_descriptors() {
  write_seed("class_descriptors", "four_classes", classes_data1().bytes());
  Data1Builder empty;
  empty.words({0, Data1Builder::kBase + 8, 0, 0});
  write_seed("class_descriptors", "no_classes", empty.bytes());
}

// An image as qlimage writes it. data1's words hold offsets, relocated by data2 at install: the entry
// word, the table word, the table's class and item words, the descriptors' and items' pointers.
struct ImageWriter {
  Bytes code1, code2, data1;
  std::vector<uint32_t> relocated;   // data1 offsets of words that get data1's address
  std::vector<uint32_t> code_words;  // ... code1's address

  uint32_t here() const { return static_cast<uint32_t>(data1.size()); }
  void align() {
    while (data1.size() % 4) data1.push_back(0);
  }
  uint32_t word(uint32_t value) {
    align();
    uint32_t at = here();
    ql::test::put_u32(data1, value);
    return at;
  }
  uint32_t pointer(uint32_t offset) {
    uint32_t at = word(offset);
    relocated.push_back(at);
    return at;
  }
  // A string constant: the length-prefixed text, then its header in this target's layout.
  uint32_t string_constant(const std::string& text) {
    align();
    uint32_t buffer = here();
    data1.push_back(static_cast<uint8_t>(text.size()));
    data1.insert(data1.end(), text.begin(), text.end());
    data1.push_back(0);
    while (data1.size() % sizeof(void*)) data1.push_back(0);
    uint32_t header = here();
    ql::test::put_u32(data1, 1);
    if (sizeof(void*) == 8) ql::test::put_u32(data1, 0);
    pointer(buffer);
    if (sizeof(void*) == 8) ql::test::put_u32(data1, 0);
    ql::test::put_u32(data1, static_cast<uint32_t>(text.size()));
    ql::test::put_u32(data1, static_cast<uint32_t>(text.size()));
    return header;
  }

  // data2: a skip to each relocated word (in order) and a run of one word there.
  Bytes data2() const {
    std::vector<std::pair<uint32_t, uint16_t>> words;
    for (uint32_t at : relocated) words.push_back({at, image::kRunData1});
    for (uint32_t at : code_words) words.push_back({at, image::kRunCode1});
    std::sort(words.begin(), words.end());
    Bytes out;
    uint32_t cursor = 0;
    for (auto [at, kind] : words) {
      for (uint32_t gap = at - cursor; gap > 0;) {
        uint32_t step = std::min<uint32_t>(gap, image::kMaxSkip);
        ql::test::put_u16(out, static_cast<uint16_t>(image::kSkip | (step - 1)));
        gap -= step;
      }
      ql::test::put_u16(out, kind);
      cursor = at + 4;
    }
    return out;
  }

  Bytes image_bytes(uint32_t chain_offset) const {
    Bytes out;
    for (const Bytes* block : {&code1, &code2, &data1}) {
      ql::test::put_u32(out, static_cast<uint32_t>(block->size()));
      out.insert(out.end(), block->begin(), block->end());
    }
    Bytes relocations = data2();
    ql::test::put_u32(out, static_cast<uint32_t>(relocations.size()));
    out.insert(out.end(), relocations.begin(), relocations.end());
    if (chain_offset) ql::test::put_u32(out, chain_offset);
    return out;
  }
};

void images() {
  ImageWriter w;
  // code1: two calls to StringLen, one to a library routine and one deferred, and a word that gets data1's
  // address through a fixup.
  w.code1 = ql::test::chained_calls(0, 2);
  size_t library_call = w.code1.size();
  w.code1.insert(w.code1.end(), {0xE8, 0, 0, 0, 0});
  size_t deferred_call = w.code1.size();
  w.code1.insert(w.code1.end(), {0xE8, 0, 0, 0, 0});
  size_t fixup = w.code1.size();
  w.code1.insert(w.code1.end(), {8, 0, 0, 0, 0xC3});
  ql::test::import_record(w.code2, 1, "stringlen");
  ql::test::import_record(w.code2, static_cast<uint32_t>(library_call + 1), "!Xlibm.so.6!cos");
  ql::test::import_record(w.code2, static_cast<uint32_t>(deferred_call + 1), "!MFolderItem!Delete");
  ql::test::fixup_record(w.code2, static_cast<uint32_t>(fixup));

  w.code_words.push_back(w.word(0));  // entry routine: code1 offset 0
  uint32_t table_word = w.word(0);
  w.relocated.push_back(table_word);

  uint32_t app_name = w.string_constant("Application");
  uint32_t class_name = w.string_constant("Lesson");
  uint32_t open_name = w.string_constant("Open");
  uint32_t reference = w.word(1);  // a reference: its kind word and its name
  w.pointer(app_name);
  uint32_t compiled = w.word(0);
  w.word(64);
  w.pointer(class_name);
  for (uint32_t value : {0u, 0u, 0u, 0u, 0u, 1u}) w.word(value);  // superclass 0, no routines, counts
  w.pointer(open_name);
  w.code_words.push_back(w.word(5));  // the hook's code
  w.word(3);                          // its key
  w.word(0);                          // no menu handlers
  w.word(1);                          // a method table of one slot
  w.word(0);

  Bytes stream = settings_stream(true);
  uint32_t settings_item = w.word(image::kItemSettings);
  w.word(0);
  w.word(static_cast<uint32_t>(stream.size()));
  w.data1.insert(w.data1.end(), stream.begin(), stream.end());
  Bytes pixels = picture(16, 3, 2);
  w.align();
  uint32_t picture_item = w.here();
  w.data1.insert(w.data1.end(), pixels.begin(), pixels.end());
  image::MenuBarStream bar;
  bar.menus = {menu_item("File", "FileMenu")};
  bar.menus[0].items = {menu_item("Quit", "FileQuit")};
  Bytes menu = image::encode_menu_bar(bar);
  uint32_t menu_item_at = w.word(image::kItemMenuBar);
  w.word(static_cast<uint32_t>(menu.size()));
  w.data1.insert(w.data1.end(), menu.begin(), menu.end());
  uint32_t global = w.word(0);
  uint32_t instance_item = w.word(image::kItemImplicitInstance);
  w.word(1);
  w.pointer(global);

  // A stored plug-in: next, size, reserved, name length, name, the file's bytes.
  const std::string plugin_name = "quilapp1.dll";
  const std::string plugin_bytes = "MZ plug-in file";
  uint32_t chain = w.word(0);
  w.word(static_cast<uint32_t>(plugin_name.size() + plugin_bytes.size() + 5));
  w.word(0);
  w.data1.push_back(static_cast<uint8_t>(plugin_name.size()));
  w.data1.insert(w.data1.end(), plugin_name.begin(), plugin_name.end());
  w.data1.insert(w.data1.end(), plugin_bytes.begin(), plugin_bytes.end());

  uint32_t table = w.word(2);
  w.pointer(reference);
  w.pointer(compiled);
  w.word(5);
  for (uint32_t item : {settings_item, picture_item, menu_item_at, instance_item}) w.pointer(item);
  w.word(0);  // an empty slot
  ql::test::set_u32(w.data1, table_word, table);
  write_seed("image_install", "lesson_image", w.image_bytes(chain));
  write_seed("image_install", "lesson_image_without_plugin", w.image_bytes(0));
}

void streams() {
  write_seed("text_input_stream", "mixed_line_ends", text_bytes("a\r\nb\r\rc\nlast line"));
  write_seed("text_input_stream", "split_crlf", text_bytes(std::string(1023, 'x') + "\r\nnext\n"));
  write_seed("text_input_stream", "exercise_rows",
             text_bytes("a01\tThe cat\t_ cat\tthe\r\na02\tAn egg\t_ egg\tan\r\n"));
  // Operation counts, operations (low 4 bits) with arguments (high 4), then the file.
  Bytes reads = {10, 0x10, 0x01, 0x02, 0x03, 0x04, 0x1B, 0x02, 0x05, 0x36, 0x0A};
  for (int i = 0; i < 40; ++i) reads.push_back(static_cast<uint8_t>(i * 11));
  write_seed("binary_stream", "reads", reads);
  Bytes writes = {12, 0x3E, 0x5C, 0x2D, 0x08, 0x09, 0x77, 0x0E, 0x4F, 0x09, 0xF7, 0x10, 0x0A};
  writes.insert(writes.end(), {1, 2, 3, 4, 5, 6, 7, 8});
  write_seed("binary_stream", "writes", writes);
}

// Frames whose return addresses lead to call-site records (an argument release, then none) and on to
// handler tables: the inner method releases a string and an object variable, the outer one catches. The
// outermost frame links to 0, so the walk visits the calls of all frames but the last.
void frame_walks() {
  const Bytes code = {
      0xEB, 0x04, 0x2F, 0x01, 0x10, 0x00,                                      // inner call site
      0x90, 0x90, 0xC9, 0xC3, 0x2F, 0x05, 0xFF, 0xF0, 0x06, 0xFF, 0xE8, 0x00,  // inner table
      0xEB, 0x02, 0x2F, 0x00,                                                  // outer call site
      0x90, 0xC9, 0xC3, 0x2F, 0x04, 0x00, 0x03, 0x00, 0x00, 0x00, 0x08, 0x00,  // outer table: catch class 3
  };
  Bytes variables;
  for (int i = 0; i < 256; ++i) variables.push_back(static_cast<uint8_t>(i % 7 == 0 ? i : 0));
  auto input = [&](std::initializer_list<uint8_t> offsets) {
    Bytes bytes = {static_cast<uint8_t>(offsets.size() / 2 - 1)};
    bytes.insert(bytes.end(), offsets);
    bytes.insert(bytes.end(), variables.begin(), variables.end());
    bytes.insert(bytes.end(), code.begin(), code.end());
    return bytes;
  };
  write_seed("frame_walk", "catch_in_outer", input({0, 0, 18, 0, 0, 0}));
  write_seed("frame_walk", "unhandled", input({0, 0, 0, 0}));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]);
    return 2;
  }
  corpus = argv[1];
  window_descriptions();
  menu_bars();
  pictures();
  settings();
  stream_reader();
  class_descriptors();
  images();
  streams();
  frame_walks();
  return 0;
}
