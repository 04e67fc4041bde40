// `qlimage attach` and `qlimage dump` on real images and runtimes, and what they refuse.
#include <gtest/gtest.h>

#include <sstream>

#include "qlimage/attach.h"
#include "qlimage/dump.h"
#include "tools/coff_builder.h"
#include "tools/link_helpers.h"
#include "tools/pe_builder.h"

namespace qltest {
namespace {

qlimage::Image small_image() {
  CoffBuilder builder(coff::kMachineAmd64);
  Bytes code;
  uint32_t first = call(code);
  uint32_t second = call(code);
  code.push_back(0xC3);
  int text = builder.section(".text", kCode, code);
  builder.symbol("main", text, 0);
  uint32_t init = builder.undefined("RuntimeInit");
  builder.reloc(text, first, init, coff::kAmd64Rel32);
  builder.reloc(text, second, init, coff::kAmd64Rel32);
  qlimage::Project project;
  project.settings = qlimage::Settings{};
  project.settings->messages = {"one", "two"};
  project.settings->mdi_title = "Demo";
  LinkRun run = link({{"small.o", builder.build()}}, project);
  EXPECT_TRUE(run.image) << run.errors();
  return run.image.value_or(qlimage::Image{});
}

std::string dump(const Bytes& file, bool* ok = nullptr) {
  std::ostringstream out;
  bool result = qlimage::dump_file("f", file, out);
  if (ok) *ok = result;
  return out.str();
}

TEST(Attach, AppendsImageAndResourcesAndPointsThePickleAtThem) {
  for (bool pe32_plus : {true, false}) {
    Bytes runtime = minimal_pe({pe32_plus});
    runtime.resize(runtime.size() + 5, 0x55);  // an overlay: the image goes behind everything
    qlimage::Image image = small_image();
    Bytes resources = {0, 0, 0, 1, 0, 0, 0, 0, 'r', 'e', 's'};
    qlimage::Diagnostics diagnostics;
    std::optional<Bytes> out = qlimage::attach_image("loquat.exe", runtime, image, &resources, diagnostics);
    ASSERT_TRUE(out) << diagnostics.errors.at(0);
    Bytes serialized = qlimage::serialize_image(image);
    uint32_t image_at = static_cast<uint32_t>(qlimage::align_up(runtime.size(), 16));
    ASSERT_EQ(out->size(), image_at + serialized.size() + resources.size());
    EXPECT_TRUE(std::equal(serialized.begin(), serialized.end(), out->begin() + image_at));
    EXPECT_TRUE(std::equal(resources.begin(), resources.end(), out->begin() + image_at + serialized.size()));
    // Only the PICKLE words changed in the runtime's own bytes.
    size_t changed = 0, pickle_at = 0;
    for (size_t i = 0; i < runtime.size(); ++i) {
      if ((*out)[i] != runtime[i] && changed++ == 0) pickle_at = i;
    }
    EXPECT_LE(changed, 8u);
    EXPECT_EQ(qlimage::load_u32(out->data() + pickle_at), image_at);
    EXPECT_EQ(qlimage::load_u32(out->data() + pickle_at + 4), image_at + serialized.size());

    bool ok = false;
    std::string text = dump(*out, &ok);
    EXPECT_TRUE(ok) << text;
    EXPECT_NE(text.find("attached image at file offset " + qlimage::hex(image_at)), std::string::npos)
        << text;
    EXPECT_NE(text.find("\"RuntimeInit\": 2 call sites"), std::string::npos) << text;
    EXPECT_NE(text.find("resource index at file offset"), std::string::npos) << text;

    // The result already carries an image: attaching again is refused.
    qlimage::Diagnostics again;
    EXPECT_FALSE(qlimage::attach_image("app.exe", *out, image, nullptr, again));
    EXPECT_NE(again.errors.at(0).find("already carries an application image"), std::string::npos);
  }
}

TEST(Attach, RefusesWhatCannotWork) {
  qlimage::Image image = small_image();
  struct Case {
    Bytes runtime;
    const char* message;
  };
  const Case cases[] = {
      {minimal_pe({true, {'P', 'I', 'C', 'K'}}), "needs 8"},
      {minimal_pe({true, {'P', 'I', 'C', 'K', 0, 0, 0, 0}, "PICKEL"}), "no resource of type \"PICKLE\""},
      {minimal_pe({true, {'P', 'I', 'C', 'K', 0, 0, 0, 0}, "PICKLE", 102}), "no PICKLE resource with id 101"},
      {Bytes{'M', 'Z', 0, 0}, "not a PE file"},
  };
  for (const Case& c : cases) {
    qlimage::Diagnostics diagnostics;
    EXPECT_FALSE(qlimage::attach_image("rt.exe", c.runtime, image, nullptr, diagnostics));
    EXPECT_NE(diagnostics.errors.at(0).find(c.message), std::string::npos) << diagnostics.errors[0];
  }
  qlimage::Diagnostics bad_index;
  Bytes index = {0, 0, 0, 2, 0, 0, 0, 0};
  EXPECT_FALSE(qlimage::attach_image("rt.exe", minimal_pe(), image, &index, bad_index));

  Bytes serialized = qlimage::serialize_image(image);
  qlimage::Diagnostics truncated;
  EXPECT_FALSE(
      qlimage::load_image_file("in.img", Bytes(serialized.begin(), serialized.end() - 1), truncated));
  EXPECT_NE(truncated.errors.at(0).find("data2 at file offset"), std::string::npos) << truncated.errors[0];
  serialized.push_back(0);
  qlimage::Diagnostics trailing;
  EXPECT_FALSE(qlimage::load_image_file("in.img", serialized, trailing));
  EXPECT_NE(trailing.errors.at(0).find("1 bytes follow data2"), std::string::npos);
}

TEST(Dump, DescribesImagesAndDevelopmentRuntimes) {
  bool ok = false;
  std::string text = dump(minimal_pe(), &ok);
  EXPECT_TRUE(ok);
  EXPECT_NE(text.find("development-mode runtime"), std::string::npos) << text;

  text = dump(qlimage::serialize_image(small_image()), &ok);
  EXPECT_TRUE(ok) << text;
  for (const char* expected : {"code1 11 bytes", "imports: 1 (2 call sites)", "project table at data1+",
                               "0 classes, 1 items", "kind 4 (settings)", "1: \"two\"", "title \"Demo\""}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  }
}

TEST(Dump, ReportsMalformedImagesWhereTheyBreak) {
  qlimage::Image good = small_image();
  struct Case {
    std::function<void(qlimage::Image&)> damage;
    const char* problem;
  };
  const Case cases[] = {
      {[](qlimage::Image& i) { qlimage::store_u32(i.code1.data() + 6, 1); }, "would never end"},
      {[](qlimage::Image& i) { qlimage::store_u32(i.code1.data() + 6, 900); },
       "a call chain leaves code1 at offset 900"},
      {[](qlimage::Image& i) {
         i.data2.push_back(0xFF);
         i.data2.push_back(0x41);
       },
       "reaches past the end of data1"},
      {[](qlimage::Image& i) { qlimage::store_u32(i.data1.data() + 4, 0xFFFFFFF0); },
       "the project table (data1+0x4 leads to data1+0xfffffff0): the project table lies outside data1"},
      {[](qlimage::Image& i) { i.data2.erase(i.data2.begin(), i.data2.begin() + 2); },
       "the entry routine (data1+0x0) does not lead into code1"},
      {[](qlimage::Image& i) { i.code2.push_back(2); },
       "the data fixup record at code2 offset 17 is cut short"},
  };
  for (const Case& c : cases) {
    qlimage::Image damaged = good;
    c.damage(damaged);
    bool ok = true;
    std::string text = dump(qlimage::serialize_image(damaged), &ok);
    EXPECT_FALSE(ok) << c.problem;
    EXPECT_NE(text.find(c.problem), std::string::npos) << text;
  }

  // Random damage anywhere, in an image or an executable: always a clean report, never a crash.
  qlimage::Diagnostics diagnostics;
  Bytes exe = *qlimage::attach_image("rt.exe", minimal_pe(), good, nullptr, diagnostics);
  Bytes image = qlimage::serialize_image(good);
  uint32_t state = 99;
  auto next = [&state] { return state = state * 1103515245 + 12345; };
  for (int round = 0; round < 4000; ++round) {
    Bytes damaged = round % 2 ? exe : image;
    for (int flips = 1 + (next() >> 16) % 3; flips > 0; --flips) {
      damaged[(next() >> 8) % damaged.size()] = static_cast<uint8_t>(next() >> 24);
    }
    if (round % 7 == 0) damaged.resize((next() >> 8) % damaged.size());
    std::string text = dump(damaged);
    EXPECT_FALSE(text.empty());
  }
}

}  // namespace
}  // namespace qltest
