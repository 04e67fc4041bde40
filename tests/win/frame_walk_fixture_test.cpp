// The frame walk over real frames: assembly methods shaped like compiled application code
// (fixtures/frame_walk_fixtures_<target>.S) call raise_from_fixture, which walks from its own frame and
// jumps into the handler it finds, as the raise does.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <vector>

#include "platform/platform.h"
#include "values/entry_gate.h"
#include "values/frame_walk.h"

namespace {

// Class indexes named by the fixtures' catch clauses; the raised exception is an instance of kRaisedClass,
// which derives from kRootClass.
constexpr int32_t kRootClass = 1;
constexpr int32_t kOtherClass = 40;
constexpr int32_t kRaisedClass = 7;

struct RaiseState {
  QlObject* exception = nullptr;
  bool found = false;
  std::array<uintptr_t, 3> middle_after{};     // the middle method's slot, string and object variable
  std::array<uintptr_t, 2> arguments_after{};  // the 5th and 6th argument of the raising call
  std::vector<int32_t> isa_questions;
  std::vector<QlString> strings_released;
  std::vector<QlObject*> objects_released;
  int reports = 0;
};
RaiseState state;

bool fake_isa(QlObject* exception, int32_t class_index) {
  state.isa_questions.push_back(class_index);
  return exception == state.exception && (class_index == kRaisedClass || class_index == kRootClass);
}
void count_string(QlString s) { state.strings_released.push_back(s); }
void count_object(QlObject* o) { state.objects_released.push_back(o); }
void count_report(const char*, int) { ++state.reports; }
constexpr ql::FrameWalkHooks kHooks{fake_isa, count_string, count_object, count_report,
                                    ql::platform::is_readable};

}  // namespace

extern "C" {

// Read and written by the fixtures.
uintptr_t fixture_values[6];
uintptr_t fixture_handler_slot;

intptr_t fixture_catch_in_outer();
intptr_t fixture_skip_catch();
intptr_t fixture_through_runtime();
intptr_t fixture_unhandled();

// What the raise does: walk from its own frame; jump when a handler takes the exception.
__attribute__((noinline)) intptr_t raise_from_fixture(intptr_t, intptr_t, intptr_t, intptr_t, QlString,
                                                      QlObject*) {
  const auto frame = reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
  const auto* words = reinterpret_cast<const uintptr_t*>(frame);
  ql::HandlerTarget target;
  state.found = ql::find_handler(state.exception, frame, kHooks, target);
  const auto* middle = reinterpret_cast<const uintptr_t*>(words[0]);
  state.middle_after = {middle[-1], middle[-2], middle[-3]};
  state.arguments_after = {words[2 + 4], words[2 + 5]};
  if (state.found) ql::jump_to_handler(target);
  return -1;
}

// The registers a callee must preserve, as the fixture loads and its handler stores them: on x86-64 rbx, rsi,
// rdi, r12-r15, then xmm6-xmm15 in two words each; on i386 ebx, esi, edi.
constexpr size_t kPatternWords = sizeof(void*) == 8 ? 27 : 3;
uintptr_t fixture_pattern[kPatternWords];
uintptr_t fixture_registers_seen[kPatternWords];
intptr_t fixture_registers_across_raise(void (*routine)());

// A raising entry point: changes every register the convention lets it change once saved, then walks and
// jumps as the raise does.
__attribute__((noinline)) void raise_with_every_register_changed() {
#if defined(_WIN64)
  asm volatile(
      "movq $-1, %%rbx\n movq $-1, %%rsi\n movq $-1, %%rdi\n movq $-1, %%r12\n movq $-1, %%r13\n"
      "movq $-1, %%r14\n movq $-1, %%r15\n pcmpeqd %%xmm6, %%xmm6\n pcmpeqd %%xmm7, %%xmm7\n"
      "pcmpeqd %%xmm8, %%xmm8\n pcmpeqd %%xmm9, %%xmm9\n pcmpeqd %%xmm10, %%xmm10\n pcmpeqd %%xmm11, "
      "%%xmm11\n"
      "pcmpeqd %%xmm12, %%xmm12\n pcmpeqd %%xmm13, %%xmm13\n pcmpeqd %%xmm14, %%xmm14\n"
      "pcmpeqd %%xmm15, %%xmm15\n" ::
          : "rbx", "rsi", "rdi", "r12", "r13", "r14", "r15", "xmm6", "xmm7", "xmm8", "xmm9", "xmm10", "xmm11",
            "xmm12", "xmm13", "xmm14", "xmm15");
#else
  asm volatile("movl $-1, %%ebx\n movl $-1, %%esi\n movl $-1, %%edi\n" ::: "ebx", "esi", "edi");
#endif
  const auto frame = reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
  ql::HandlerTarget target;
  state.found = ql::find_handler(state.exception, frame, kHooks, target, ql::live_entry_boundaries());
  if (state.found) ql::jump_to_handler(target);
}

// A runtime routine between two compiled methods, like the event loop calling a handler.
__attribute__((noinline)) intptr_t call_from_runtime(intptr_t (*method)()) {
  const intptr_t result = method();
  asm volatile("" ::: "memory");  // keeps the call from becoming a jump
  return result;
}

}  // extern "C"

namespace {

class FrameWalkFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    state = RaiseState{};
    state.exception = object(0);
    for (size_t i = 0; i < 6; ++i) fixture_values[i] = reinterpret_cast<uintptr_t>(&storage_[i + 1]);
    fixture_handler_slot = 0xDEAD;
  }
  QlObject* object(size_t i) { return reinterpret_cast<QlObject*>(&storage_[i]); }
  QlString value_string(size_t i) { return reinterpret_cast<QlString>(fixture_values[i]); }
  QlObject* value_object(size_t i) { return reinterpret_cast<QlObject*>(fixture_values[i]); }

  // The middle method's call-site entries run first (argument string and object), then its table
  // (variables), then its slot goes as the exception leaves it.
  void expect_middle_cleaned_up() {
    EXPECT_EQ(state.middle_after, (std::array<uintptr_t, 3>{}));
    EXPECT_EQ(state.arguments_after, (std::array<uintptr_t, 2>{}));
    EXPECT_EQ(state.strings_released, std::vector<QlString>({value_string(3), value_string(0)}));
    EXPECT_EQ(state.reports, 0);
  }

  std::array<std::array<uintptr_t, 2>, 8> storage_{};
};

TEST_F(FrameWalkFixture, OuterMethodCatchesAfterTheMiddleOneIsCleanedUp) {
  EXPECT_EQ(fixture_catch_in_outer(), 1);
  EXPECT_TRUE(state.found);
  EXPECT_EQ(fixture_handler_slot, reinterpret_cast<uintptr_t>(state.exception));
  expect_middle_cleaned_up();
  EXPECT_EQ(state.objects_released,
            std::vector<QlObject*>({value_object(4), value_object(1), value_object(2)}));
  EXPECT_EQ(state.isa_questions, std::vector<int32_t>({kOtherClass, kRootClass}));
}

TEST_F(FrameWalkFixture, SkipCatchLeavesTheExceptionToTheOuterMethod) {
  EXPECT_EQ(fixture_skip_catch(), 1) << "2 would mean the middle method's own handler ran";
  EXPECT_EQ(fixture_handler_slot, reinterpret_cast<uintptr_t>(state.exception));
  expect_middle_cleaned_up();
  EXPECT_EQ(state.isa_questions, std::vector<int32_t>({kRootClass}));
}

TEST_F(FrameWalkFixture, RuntimeFramesBetweenMethodsArePassedOver) {
  EXPECT_EQ(fixture_through_runtime(), 1);
  EXPECT_EQ(fixture_handler_slot, reinterpret_cast<uintptr_t>(state.exception));
  expect_middle_cleaned_up();
}

TEST_F(FrameWalkFixture, UnhandledExceptionCleansUpAndTheWalkEndsInTheTestRunnersFrames) {
  // No clause matches: the walk goes on through gcc-compiled frames of the test runner until one of its
  // stops, the raise returns and the fixtures return normally.
  EXPECT_EQ(fixture_unhandled(), 0);
  EXPECT_FALSE(state.found);
  EXPECT_EQ(fixture_handler_slot, 0xDEADu);
  expect_middle_cleaned_up();
  EXPECT_EQ(state.objects_released,
            std::vector<QlObject*>({value_object(4), value_object(1), value_object(2), value_object(5)}));
  EXPECT_EQ(state.isa_questions, std::vector<int32_t>({kOtherClass, kOtherClass}));
}

TEST_F(FrameWalkFixture, HandlerRunsWithTheRegistersOfTheCallThatRaised) {
  for (size_t i = 0; i < kPatternWords; ++i)
    fixture_pattern[i] = static_cast<uintptr_t>(0x0123456789ABCDEFull * (i + 1));
  const size_t boundaries_before = ql::live_entry_boundaries().count;
  EXPECT_EQ(fixture_registers_across_raise(raise_with_every_register_changed), 1);
  EXPECT_TRUE(state.found);
  for (size_t i = 0; i < kPatternWords; ++i)
    EXPECT_EQ(fixture_registers_seen[i], fixture_pattern[i]) << "word " << i;
  EXPECT_EQ(ql::live_entry_boundaries().count, boundaries_before);
}

TEST(FrameWalkProbe, IsReadableAnswersForProtectedPages) {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  const size_t page = info.dwPageSize;
  auto* pages = static_cast<char*>(VirtualAlloc(nullptr, 2 * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  ASSERT_NE(pages, nullptr);
  DWORD old_protection;
  ASSERT_TRUE(VirtualProtect(pages + page, page, PAGE_NOACCESS, &old_protection));
  EXPECT_TRUE(ql::platform::is_readable(pages, page));
  EXPECT_FALSE(ql::platform::is_readable(pages + page, 1));
  EXPECT_FALSE(ql::platform::is_readable(pages + page - 2, 4));
  EXPECT_FALSE(ql::platform::is_readable(nullptr, 4));
  VirtualFree(pages, 0, MEM_RELEASE);
}

}  // namespace
