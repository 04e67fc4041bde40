// The qlimage commands end to end through files, and their help.
#include "qlimage/commands.h"

#include <gtest/gtest.h>

#include <sstream>

#include "qlimage/image.h"
#include "tools/coff_builder.h"
#include "tools/pe_builder.h"
#include "tools/temp_dir.h"

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

Bytes calling_object() {
  CoffBuilder builder(coff::kMachineI386);
  Bytes code;
  uint32_t field = call(code);
  code.push_back(0xC3);
  int text = builder.section(".text", kCode, code);
  builder.symbol("_start_here", text, 0);
  builder.reloc(text, field, builder.undefined("_RuntimeRun"), coff::kI386Rel32);
  return builder.build();
}

TEST(Commands, EveryCommandHasHelp) {
  for (const char* command : {"link", "attach", "dump"}) {
    Result r = run({command, "--help"});
    EXPECT_EQ(r.code, 0) << command;
    EXPECT_EQ(r.out.rfind(std::string("usage: qlimage ") + command, 0), 0u) << r.out;
  }
  EXPECT_EQ(run({"--help"}).code, 0);
  Result unknown = run({"lnk"});
  EXPECT_EQ(unknown.code, 1);
  EXPECT_NE(unknown.err.find("unknown command 'lnk'"), std::string::npos);
  Result option = run({"link", "--projct", "x.toml"});
  EXPECT_EQ(option.code, 1);
  EXPECT_NE(option.err.find("qlimage link: error: unknown option '--projct'"), std::string::npos)
      << option.err;
  EXPECT_EQ(run({}).code, 1);
}

TEST(Commands, LinkAttachAndDumpThroughFiles) {
  TempDir dir;
  std::string object = dir.write("app.o", calling_object());
  std::string project = dir.write(
      "app.toml", std::string("[application]\nentry = \"start_here\"\n[settings]\nmdi_title = \"T\"\n"));
  Result linked = run({"link", "--project", project, "-o", dir.file("app.img"), object});
  ASSERT_EQ(linked.code, 0) << linked.err;
  EXPECT_NE(linked.out.find("1 imports (1 call sites)"), std::string::npos) << linked.out;

  Result dev = run({"attach", "--image", dir.file("app.img"), "--dev-dir", dir.file("dev")});
  ASSERT_EQ(dev.code, 0) << dev.err;
  std::string problem;
  uint64_t end = 0;
  Bytes image_file = dir.read("app.img");
  std::optional<qlimage::Image> image =
      qlimage::parse_image(qlimage::ByteView(image_file), 0, image_file.size(), end, problem);
  ASSERT_TRUE(image) << problem;
  EXPECT_EQ(dir.read("dev/code1.dat"), image->code1);
  EXPECT_EQ(dir.read("dev/code2.dat"), image->code2);
  EXPECT_EQ(dir.read("dev/data1.dat"), image->data1);
  EXPECT_EQ(dir.read("dev/data2.dat"), image->data2);

  std::string runtime = dir.write("loquat.exe", minimal_pe({false}));
  Result attached =
      run({"attach", "--runtime", runtime, "--image", dir.file("app.img"), "-o", dir.file("app.exe")});
  ASSERT_EQ(attached.code, 0) << attached.err;
  Result dumped = run({"dump", dir.file("app.exe")});
  EXPECT_EQ(dumped.code, 0) << dumped.out;
  EXPECT_NE(dumped.out.find("\"RuntimeRun\": 1 call site"), std::string::npos) << dumped.out;

  // The output may not replace an input, and a failed link writes nothing.
  Result same = run({"attach", "--runtime", runtime, "--image", dir.file("app.img"), "-o", runtime});
  EXPECT_EQ(same.code, 1);
  EXPECT_NE(same.err.find("would overwrite the input"), std::string::npos) << same.err;
  Result failed = run({"link", "--entry", "nowhere", "-o", dir.file("bad.img"), object});
  EXPECT_EQ(failed.code, 1);
  EXPECT_NE(failed.err.find("qlimage link: error: the entry routine 'nowhere'"), std::string::npos)
      << failed.err;
  EXPECT_FALSE(std::filesystem::exists(dir.file("bad.img")));
  Result missing = run({"dump", dir.file("none.img")});
  EXPECT_EQ(missing.code, 1);
  EXPECT_NE(missing.err.find("cannot open"), std::string::npos);
}

TEST(Commands, ClassesFromTheProjectFileReachTheDump) {
  TempDir dir;
  std::string object = dir.write("app.o", calling_object());
  std::string project = dir.write("app.toml", std::string(R"([application]
entry = "start_here"

[[classes]]
kind = "reference"
name = "Application"

[[classes]]
name = "App"
superclass = "Application"
size = 28

[[classes.hooks]]
name = "Open"
code = "start_here"
key = 2
)"));
  Result linked = run({"link", "--project", project, "-o", dir.file("app.img"), object});
  ASSERT_EQ(linked.code, 0) << linked.err;
  Result dumped = run({"dump", dir.file("app.img")});
  EXPECT_EQ(dumped.code, 0) << dumped.out;
  EXPECT_NE(dumped.out.find("2 classes, 0 items\n"
                            "  class 0 at data1+"),
            std::string::npos)
      << dumped.out;
  EXPECT_NE(dumped.out.find(": compiled class \"App\", superclass 0 \"Application\", size 28\n"
                            "    hooks: 1\n"
                            "      \"Open\" code1+0x0, key 2\n"),
            std::string::npos)
      << dumped.out;

  dir.write("bad.toml", std::string("[[classes]]\nname = \"App\"\nsize = 28\nconstructor = \"start\"\n"
                                    "destructor = \"start_here\"\n"));
  Result failed = run({"link", "--project", dir.file("bad.toml"), "--entry", "start_here", "-o",
                       dir.file("bad.img"), object});
  EXPECT_EQ(failed.code, 1);
  EXPECT_NE(failed.err.find("qlimage link: error: " + dir.file("bad.toml") +
                            ": class 0 'App': constructor 'start' is not defined by any input object"),
            std::string::npos)
      << failed.err;
  EXPECT_FALSE(std::filesystem::exists(dir.file("bad.img")));
}

}  // namespace
}  // namespace qltest
