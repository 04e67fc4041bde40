// The ends of unhandled exceptions, the texts of object faults, and the exit list.
#include "objects/exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "object_test_support.h"
#include "objects/object_faults.h"
#include "objects/object_steps.h"
#include "objects/objects.h"
#include "unit/runtime_classes.h"
#include "values/exit_list.h"

namespace ql::testing {
namespace {

class UnhandledExceptions : public ::testing::Test {
 protected:
  void SetUp() override {
    define_runtime_classes();
    set_unhandled_exception_message(
        "An exception of class %1 was not handled.\rThe application must shut down.");
  }
  void TearDown() override { set_unhandled_exception_message(""); }
};

TEST_F(UnhandledExceptions, TheImagesMessageNamesTheClass) {
  std::optional<std::string> text = unhandled_exception_text(builtin_class("typeMismatchException"));
  ASSERT_TRUE(text);
  EXPECT_EQ(*text,
            "An exception of class typeMismatchException was not handled.\rThe application must shut down.");

  // An anonymous subclass is named after its nearest named class.
  auto anonymous = make_class("", builtin_class("OutOfBoundsException"));
  text = unhandled_exception_text(anonymous.get());
  ASSERT_TRUE(text);
  EXPECT_NE(text->find("class OutOfBoundsException was"), std::string::npos) << *text;
}

TEST_F(UnhandledExceptions, EndExceptionAndItsSubclassesEndSilently) {
  EXPECT_FALSE(unhandled_exception_text(builtin_class("EndException")));
  auto quitting = make_class("QuitNow", builtin_class("EndException"));
  EXPECT_FALSE(unhandled_exception_text(quitting.get()));
  EXPECT_TRUE(unhandled_exception_text(builtin_class("RuntimeException")));
}

TEST_F(UnhandledExceptions, EveryPlaceholderIsReplacedOnce) {
  set_unhandled_exception_message("%1 / %1 (%2)");
  EXPECT_EQ(unhandled_exception_text(std::string("A%1")), "A%1 / A%1 (%2)");
  // Without the image's message the user still learns which exception ended the program.
  set_unhandled_exception_message("");
  EXPECT_EQ(unhandled_exception_text(std::string("NilObjectException")),
            "An exception of class NilObjectException was not handled.\rThe application must shut down.");
}

TEST(FaultTexts, NameTheRoutineTheValueAndTheClass) {
  auto cls = make_class("Cloze");
  auto anonymous = make_class("", cls.get());
  std::string text = over_release_fault_text(anonymous.get());
  EXPECT_NE(text.find("class Cloze"), std::string::npos) << text;
  text = method_slot_fault_text("FindVTableCode", 7, cls.get());
  EXPECT_NE(text.find("FindVTableCode asked for method slot 7"), std::string::npos) << text;
  text = field_fault_text("int32Setter", 400, 4, cls.get());
  EXPECT_NE(text.find("4-byte field at offset 400"), std::string::npos) << text;
  EXPECT_NE(text.find("must shut down"), std::string::npos) << text;
}

struct Recorded final : ExitListEntry {
  std::string name;
  std::vector<std::string>* log;
  bool remove_self = false;
  Recorded(std::string n, std::vector<std::string>* l) : name(std::move(n)), log(l) {}
  void destroy_at_exit() override {
    log->push_back(name);
    if (remove_self) exit_list_remove(this);
  }
};

TEST(ExitList, DestroysTheNewestFirstUntilEmpty) {
  std::vector<std::string> log;
  Recorded trace("trace", &log), scratch1("scratch1", &log), scratch2("scratch2", &log), gone("gone", &log);
  scratch1.remove_self = true;
  exit_list_add(&trace);
  exit_list_add(&gone);
  exit_list_add(&scratch1);
  exit_list_add(&scratch2);
  exit_list_add(&scratch2);  // registered once only
  exit_list_remove(&gone);
  exit_list_remove(&gone);  // no longer there: ignored

  run_exit_list();
  EXPECT_EQ(log, (std::vector<std::string>{"scratch2", "scratch1", "trace"}));
  log.clear();
  run_exit_list();
  EXPECT_TRUE(log.empty());
}

}  // namespace
}  // namespace ql::testing
