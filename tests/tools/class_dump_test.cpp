// Dumping class descriptors, and reporting malformed ones.
#include <gtest/gtest.h>

#include <sstream>

#include "qlimage/dump.h"
#include "qlimage/image_inspection.h"
#include "tools/class_helpers.h"

namespace qltest {
namespace {

qlimage::Project dump_project() {
  qlimage::Project project;
  qlimage::ClassDescription application;
  application.reference = true;
  application.name = "Application";
  qlimage::ClassDescription app;
  app.name = "App";
  app.superclass = "Application";
  app.size = 40;
  app.constructor = "make";
  app.destructor = "free";
  app.interfaces = {"Named"};
  app.methods = {{"Name", "name"}};
  app.hooks = {{"Open", "open", 5}};
  app.menu_handlers = {{"FileQuit", "quit"}};
  app.method_table = {"", "name"};
  qlimage::ClassDescription named;
  named.name = "Named";
  named.is_interface = true;
  named.methods = {{"Name", ""}};
  qlimage::ClassDescription anonymous;
  anonymous.superclass = "App";
  anonymous.size = 40;
  project.classes = {application, app, named, anonymous};
  return project;
}

qlimage::Image dump_image() {
  LinkRun run =
      link({{"app.o", class_object(coff::kMachineI386, {"main", "make", "free", "name", "open", "quit"}, 0)}},
           dump_project());
  EXPECT_TRUE(run.image) << run.errors();
  return run.image.value_or(qlimage::Image{});
}

std::string dump(const qlimage::Image& image, bool& ok) {
  std::ostringstream out;
  ok = qlimage::dump_file("app.img", qlimage::serialize_image(image), out);
  return out.str();
}

TEST(ClassDump, PrintsEveryPartOfTheDescriptors) {
  bool ok = false;
  std::string text = dump(dump_image(), ok);
  EXPECT_TRUE(ok) << text;
  for (const char* expected : {
           ": reference \"Application\"\n",
           ": compiled class \"App\", superclass 0 \"Application\", size 40\n"
           "    constructor code1+0x8, destructor code1+0x10\n"
           "    interfaces: 2 \"Named\"\n"
           "    methods: 1\n"
           "      \"Name\" code1+0x18\n"
           "    hooks: 1\n"
           "      \"Open\" code1+0x20, key 5\n"
           "    menu handlers: 1\n"
           "      \"FileQuit\" code1+0x28\n"
           "    method table: 3 slots\n"
           "      0: none\n"
           "      1: none\n"
           "      2: code1+0x18\n",
           ": compiled interface \"Named\", superclass none, size 24\n"
           "    methods: 1\n"
           "      \"Name\"\n"
           "    method table: 1 slot\n",
           ": compiled class (anonymous), superclass 1 \"App\", size 40\n",
       }) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n---\n" << text;
  }
}

TEST(ClassDump, ReportsMalformedDescriptors) {
  qlimage::Image good = dump_image();
  qlimage::ImageReport report = qlimage::inspect_image(good);
  ASSERT_EQ(report.classes.size(), 4u);
  uint32_t app = report.classes[1].pointer;
  uint32_t table = report.project_table;
  struct Case {
    uint32_t offset;
    uint32_t value;
    std::string problem;
  };
  // A compiled descriptor: kind, size, name, superclass, has-constructor, constructor, destructor,
  // is-interface, interface count (1), interface index, method count (1), method name, method code, ...
  auto word_at = [](uint32_t offset) { return " (the word at data1+" + qlimage::hex(offset) + ")"; };
  const Case cases[] = {
      {app, 7, "class descriptor 1 has the unknown kind 7" + word_at(app)},
      {app + 12, 9,
       "class descriptor 1 names the superclass index 9, but the image has 4 classes" + word_at(app + 12)},
      {app + 20, 0x7000,
       "class descriptor 1 has a constructor address outside the compiled code" + word_at(app + 20)},
      {app + 36, 9, "class descriptor 1 names the interface index 9, but the image has 4 classes"},
      {app + 40, 0x10000000,
       "claims 268435456 methods, more than the rest of data1 holds" + word_at(app + 40)},
      {app + 8, 0,
       "class descriptor 1 has a name outside data1 or not a well-formed string constant" + word_at(app + 8)},
      {report.classes[2].pointer + 8, 0x10,
       "class descriptor 2 has a name outside data1 or not a well-formed string constant" +
           word_at(report.classes[2].pointer + 8)},
      // A null class pointer is relocated like any other and lands on data1's header words.
      {table + 4, 0, "class descriptor 0 has the unknown kind"},
  };
  for (const Case& c : cases) {
    qlimage::Image damaged = good;
    qlimage::store_u32(damaged.data1.data() + c.offset, c.value);
    bool ok = true;
    std::string text = dump(damaged, ok);
    EXPECT_FALSE(ok) << c.problem;
    EXPECT_NE(text.find(c.problem), std::string::npos) << c.problem << "\n---\n" << text;
  }

  // The empty slot 0 of the method table is a 0 that data2 leaves alone; any other value there is an
  // address that nothing relocates.
  const qlimage::ClassReport& cls = report.classes[1];
  uint32_t slot0 = 0;
  for (uint32_t at = cls.pointer; at + 12 <= good.data1.size(); at += 4) {
    if (qlimage::load_u32(&good.data1[at]) == 3 && qlimage::load_u32(&good.data1[at + 4]) == 0 &&
        qlimage::load_u32(&good.data1[at + 8]) == 0) {
      slot0 = at + 4;
      break;
    }
  }
  ASSERT_NE(slot0, 0u);
  qlimage::Image damaged = good;
  qlimage::store_u32(damaged.data1.data() + slot0, 4);
  bool ok = true;
  std::string text = dump(damaged, ok);
  EXPECT_NE(
      text.find(
          "class descriptor 1 has a method table address outside the compiled code (the word at data1+" +
          qlimage::hex(slot0) + ")"),
      std::string::npos)
      << text;

  // Random damage to an image with classes: always a clean report, never a crash.
  Bytes image = qlimage::serialize_image(good);
  uint32_t state = 7;
  auto next = [&state] { return state = state * 1103515245 + 12345; };
  for (int round = 0; round < 3000; ++round) {
    Bytes copy = image;
    for (int flips = 1 + (next() >> 16) % 4; flips > 0; --flips) {
      copy[(next() >> 8) % copy.size()] = static_cast<uint8_t>(next() >> 24);
    }
    std::ostringstream out;
    qlimage::dump_file("fuzz.img", copy, out);
    EXPECT_FALSE(out.str().empty());
  }
}

}  // namespace
}  // namespace qltest
