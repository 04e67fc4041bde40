// Linking class descriptors, read back through the runtime's loader on both targets.
#include <gtest/gtest.h>

#include "tools/class_helpers.h"

namespace qltest {
namespace {

constexpr uint32_t kCode1Base = 0x00400000;
constexpr uint32_t kData1Base = 0x00600000;

const std::vector<std::string> kFunctions = {"main",        "app_open",   "app_enable", "app_quit",
                                             "app_file",    "cloze_make", "cloze_free", "cloze_speak",
                                             "cloze_check", "cloze_open", "list_action"};

uint32_t code_of(const std::string& function) {
  for (size_t i = 0; i < kFunctions.size(); ++i) {
    if (kFunctions[i] == function) return kCode1Base + static_cast<uint32_t>(8 * i);
  }
  ADD_FAILURE() << function;
  return 0;
}

qlimage::ClassDescription reference(const std::string& name) {
  qlimage::ClassDescription c;
  c.reference = true;
  c.name = name;
  return c;
}

// 0 Application (reference), 1 the application class, 2 an interface, 3 a window class whose superclass
// comes later in the list, 4 Applet (reference), 5 an anonymous subclass.
qlimage::Project sample_project() {
  qlimage::Project project;
  qlimage::ClassDescription app;
  app.name = "LoquatApp";
  app.superclass = "Application";
  app.size = 64;
  app.hooks = {{"Open", "app_open", 0}, {"EnableMenuItems", "app_enable", 0xFFFFFFFF}};
  app.menu_handlers = {{"FileQuit", "app_quit"}, {"FileOpen", "app_file"}};
  qlimage::ClassDescription speaker;
  speaker.name = "Speaker";
  speaker.is_interface = true;
  speaker.methods = {{"Speak", ""}, {"Check", ""}};
  qlimage::ClassDescription cloze;
  cloze.name = "Cloze";
  cloze.superclass = "Applet";
  cloze.size_symbol = "cloze_size";
  cloze.constructor = "cloze_make";
  cloze.destructor = "cloze_free";
  cloze.interfaces = {"Speaker"};
  cloze.methods = {{"Check", "cloze_check"}, {"speak", "cloze_speak"}};
  cloze.hooks = {{"Open", "cloze_open", 3}};
  cloze.method_table = {"cloze_speak", "", "cloze_check"};
  qlimage::ClassDescription list;
  list.superclass = "Cloze";
  list.size_symbol = "cloze_size";
  list.hooks = {{"Action", "list_action", 0}};
  project.classes = {reference("Application"), app, speaker, cloze, reference("Applet"), list};
  return project;
}

TEST(LinkClasses, DescriptorsReadBackThroughTheLoaderOnBothTargets) {
  for (uint16_t machine : {coff::kMachineAmd64, coff::kMachineI386}) {
    SCOPED_TRACE(machine);
    uint32_t cloze_size = machine == coff::kMachineAmd64 ? 0x1B8 : 0xDC;
    LinkRun run = link({{"app.o", class_object(machine, kFunctions, cloze_size)}}, sample_project());
    ASSERT_TRUE(run.image) << run.errors();
    LoadedImage loaded = load(*run.image, kCode1Base, kData1Base);
    std::vector<ql::image::ClassDescriptor> classes = loaded_classes(loaded, machine == coff::kMachineAmd64);
    ASSERT_EQ(classes.size(), 6u);

    EXPECT_EQ(classes[0].kind, 1u);
    EXPECT_EQ(classes[0].name, "Application");
    EXPECT_EQ(classes[4].name, "Applet");

    const ql::image::ClassDescriptor& app = classes[1];
    EXPECT_EQ(app.kind, 0u);
    EXPECT_EQ(app.instance_size, 64u);
    EXPECT_EQ(app.name, "LoquatApp");
    EXPECT_EQ(app.superclass, 0);
    EXPECT_FALSE(app.has_constructor);
    EXPECT_FALSE(app.is_interface);
    ASSERT_EQ(app.hooks.size(), 2u);  // in the order given
    EXPECT_EQ(app.hooks[0].name, "Open");
    EXPECT_EQ(app.hooks[0].code, code_of("app_open"));
    EXPECT_EQ(app.hooks[1].name, "EnableMenuItems");
    EXPECT_EQ(app.hooks[1].code, code_of("app_enable"));
    EXPECT_EQ(app.hooks[1].key, 0xFFFFFFFFu);
    ASSERT_EQ(app.menu_handlers.size(), 2u);
    EXPECT_EQ(app.menu_handlers[0].item_name, "FileQuit");
    EXPECT_EQ(app.menu_handlers[0].code, code_of("app_quit"));
    EXPECT_EQ(app.menu_handlers[1].item_name, "FileOpen");
    EXPECT_EQ(app.menu_handlers[1].code, code_of("app_file"));
    EXPECT_EQ(app.method_table, (std::vector<uint32_t>{0}));  // slot 0 only, left 0 by the loader

    const ql::image::ClassDescriptor& speaker = classes[2];
    EXPECT_TRUE(speaker.is_interface);
    EXPECT_EQ(speaker.superclass, -1);
    EXPECT_EQ(speaker.instance_size, machine == coff::kMachineAmd64 ? 48u : 24u);
    ASSERT_EQ(speaker.methods.size(), 2u);  // names only
    EXPECT_EQ(speaker.methods[0].name, "Speak");
    EXPECT_EQ(speaker.methods[1].name, "Check");
    EXPECT_TRUE(speaker.hooks.empty());

    const ql::image::ClassDescriptor& cloze = classes[3];
    EXPECT_EQ(cloze.instance_size, cloze_size);
    EXPECT_EQ(cloze.superclass, 4);  // a later class of the list
    EXPECT_TRUE(cloze.has_constructor);
    EXPECT_EQ(cloze.constructor, code_of("cloze_make"));
    EXPECT_EQ(cloze.destructor, code_of("cloze_free"));
    EXPECT_EQ(cloze.interfaces, (std::vector<uint32_t>{2}));
    ASSERT_EQ(cloze.methods.size(), 2u);
    EXPECT_EQ(cloze.methods[0].name, "Check");
    EXPECT_EQ(cloze.methods[0].code, code_of("cloze_check"));
    EXPECT_EQ(cloze.methods[1].code, code_of("cloze_speak"));
    ASSERT_EQ(cloze.hooks.size(), 1u);
    EXPECT_EQ(cloze.hooks[0].key, 3u);
    EXPECT_EQ(cloze.method_table,
              (std::vector<uint32_t>{0, code_of("cloze_speak"), 0, code_of("cloze_check")}));

    const ql::image::ClassDescriptor& list = classes[5];
    EXPECT_EQ(list.name, "");  // anonymous: a name pointer of 0
    EXPECT_EQ(list.superclass, 3);
    EXPECT_EQ(list.hooks.at(0).code, code_of("list_action"));

    // Identical names share one string constant; names that differ in letter case do not.
    EXPECT_EQ(string_constants_holding(run.image->data1, "Open"), 1);
    EXPECT_EQ(string_constants_holding(run.image->data1, "Check"), 1);
    EXPECT_EQ(string_constants_holding(run.image->data1, "Speak"), 1);
    EXPECT_EQ(string_constants_holding(run.image->data1, "speak"), 1);
    EXPECT_EQ(cloze.methods[1].name, "speak");
  }
}

TEST(LinkClasses, ReportsEveryBrokenClass) {
  struct Case {
    std::function<void(qlimage::Project&)> change;
    const char* message;
  };
  const Case cases[] = {
      {[](qlimage::Project& p) { p.classes[1].superclass = "Aplication"; },
       "app.toml: class 1 'LoquatApp': superclass 'Aplication' is not a class of the project's list"},
      {[](qlimage::Project& p) { p.classes[3].constructor = "cloze_new"; },
       "class 3 'Cloze': constructor 'cloze_new' is not defined by any input object"},
      {[](qlimage::Project& p) { p.classes[1].hooks[1].code = "counter"; },
       "class 1 'LoquatApp': hook 'EnableMenuItems' code 'counter' is data (app.o in section .data), not "
       "code"},
      {[](qlimage::Project& p) { p.classes[3].method_table[2] = "cloze_size"; },
       "class 3 'Cloze': method_table slot 3 'cloze_size' is data"},
      {[](qlimage::Project& p) { p.classes[1].menu_handlers[0].code = "RuntimeRun"; },
       "menu handler 'FileQuit' code 'RuntimeRun' is not defined by any input object"},
      {[](qlimage::Project& p) { p.classes[2].methods[0].code = "cloze_speak"; },
       "class 2 'Speaker': is an interface, so its method 'Speak' has a name only, but code 'cloze_speak'"},
      {[](qlimage::Project& p) {
         p.classes[2].hooks = {{"Open", "app_open", 0}};
       },
       "class 2 'Speaker': is an interface; its hooks and menu handlers belong"},
      {[](qlimage::Project& p) { p.classes[2].method_table = {"cloze_check"}; },
       "is an interface, which has no method table"},
      {[](qlimage::Project& p) {
         p.classes[2].constructor = "cloze_make";
         p.classes[2].destructor = "cloze_free";
       },
       "class 2 'Speaker': is an interface, which has no instances to construct"},
      {[](qlimage::Project& p) { p.classes[3].size_symbol = "cloze_bytes"; },
       "class 3 'Cloze': size 'cloze_bytes' is not defined by any input object"},
      {[](qlimage::Project& p) { p.classes[3].size_symbol = "zeroed_size"; },
       "size 'zeroed_size' is zero-filled data"},
      {[](qlimage::Project& p) { p.classes[3].size_symbol = "pointer_size"; },
       "size 'pointer_size' holds an address"},
      {[](qlimage::Project& p) { p.classes[3].size_symbol = "app_open"; }, "size 'app_open' is code"},
      {[](qlimage::Project& p) { p.classes[1].size.reset(); }, "class 1 'LoquatApp': needs a size"},
      {[](qlimage::Project& p) { p.classes[1].size = 31; },
       "class 1 'LoquatApp': the size 31 must lie from 32 (the object header on x86-64"},
      {[](qlimage::Project& p) { p.classes[5].size = 0x200; },
       "class 5 (anonymous): is 512 bytes, smaller than its superclass class 3 'Cloze' (1024 bytes)"},
      {[](qlimage::Project& p) { p.classes[3].destructor.clear(); },
       "class 3 'Cloze': gives a constructor without a destructor"},
      {[](qlimage::Project& p) {
         p.classes[3].superclass = "";
         p.classes[4] = p.classes[3];
         p.classes[4].name = "Loop";
         p.classes[3].superclass = "Loop";
         p.classes[4].superclass = "Cloze";
       },
       "class 3 'Cloze': has a superclass chain that loops: Cloze -> Loop -> Cloze"},
      {[](qlimage::Project& p) { p.classes[3].superclass = "Cloze"; },
       "class 3 'Cloze': is its own superclass"},
      {[](qlimage::Project& p) { p.classes[4].name = "cloze"; },
       "class 4 'cloze': has the name of class 3 'Cloze'"},
      {[](qlimage::Project& p) {
         p.classes[3].interfaces = {"Application"};
         p.classes[1].interfaces = {"Cloze"};
       },
       "class 1 'LoquatApp': lists 'Cloze' as an interface, but class 3 'Cloze' is not one"},
      {[](qlimage::Project& p) {
         p.classes[3].superclass.clear();
         p.classes[3].methods.pop_back();
       },
       "class 3 'Cloze': implements class 2 'Speaker' but has no method 'Speak'"},
      {[](qlimage::Project& p) {
         p.classes[3].methods.push_back({"CHECK", "cloze_check"});
       },
       "class 3 'Cloze': lists the method 'CHECK' twice"},
      {[](qlimage::Project& p) { p.classes[3].methods[0].code.clear(); }, "method 'Check' needs code"},
      {[](qlimage::Project& p) { p.classes[1].menu_handlers[1].item.clear(); },
       "class 1 'LoquatApp': has a menu handler without a name"},
      {[](qlimage::Project& p) {
         p.classes[0].methods = {{"Run", "app_open"}};
       },
       "class 0 'Application': is a reference to a class of the runtime or of a plug-in, which carries its "
       "name only"},
  };
  for (const Case& c : cases) {
    qlimage::Project project = sample_project();
    project.path = "app.toml";
    c.change(project);
    LinkRun run = link({{"app.o", class_object(coff::kMachineAmd64, kFunctions, 0x400)}}, project);
    EXPECT_FALSE(run.image) << c.message;
    EXPECT_NE(run.errors().find(c.message), std::string::npos) << run.errors();
  }

  // An interface may be implemented through a superclass's methods. When the chain reaches a class of the
  // runtime, only the running image knows its methods, so nothing is reported.
  qlimage::Project inherited = sample_project();
  inherited.classes[3].superclass.clear();
  inherited.classes[3].interfaces.clear();
  inherited.classes[5].interfaces = {"Speaker"};
  qlimage::ClassDescription bare;
  bare.size = 64;
  bare.interfaces = {"Speaker"};
  bare.methods = {{"Speak", "cloze_speak"}};
  inherited.classes.push_back(bare);
  bare.superclass = "Applet";
  bare.methods.clear();
  inherited.classes.push_back(bare);
  LinkRun run = link({{"app.o", class_object(coff::kMachineAmd64, kFunctions, 0x400)}}, inherited);
  EXPECT_EQ(run.errors(),
            "class 6 (anonymous): implements class 2 'Speaker' but has no method 'Check', "
            "neither itself nor in a superclass\n");
  inherited.classes[6].methods.push_back({"check", "cloze_check"});
  run = link({{"app.o", class_object(coff::kMachineAmd64, kFunctions, 0x400)}}, inherited);
  EXPECT_TRUE(run.image) << run.errors();
}

TEST(LinkClasses, I386SymbolsDropTheirUnderscoreAndSizesStartAtTheSmallerHeader) {
  qlimage::Project project = sample_project();
  project.classes[1].size = 16;
  LinkRun run = link({{"app.o", class_object(coff::kMachineI386, kFunctions, 0x20)}}, project);
  ASSERT_TRUE(run.image) << run.errors();
  project.classes[1].size = 15;
  run = link({{"app.o", class_object(coff::kMachineI386, kFunctions, 0x20)}}, project);
  EXPECT_NE(run.errors().find("the size 15 must lie from 16 (the object header on i386)"), std::string::npos)
      << run.errors();
}

}  // namespace
}  // namespace qltest
