// The frame walk over fake frames and code: cleanups, catch clauses, skip-catch and the defensive stops.
#include "values/frame_walk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

#ifndef _WIN32
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace ql {
namespace {

constexpr size_t kWord = sizeof(uintptr_t);
constexpr int16_t kStringVariable = -2 * static_cast<int16_t>(kWord);
constexpr int16_t kObjectVariable = -3 * static_cast<int16_t>(kWord);

// Class indexes of the fake class model: the raised exception's class derives from kParentClass, which
// derives from kRootClass; kOtherClass is unrelated.
constexpr int32_t kExceptionClass = 12;
constexpr int32_t kParentClass = 5;
constexpr int32_t kRootClass = 1;
constexpr int32_t kOtherClass = 40;

// Fake compiled code: call-site records and handler tables laid out in a byte buffer that never moves.
class FakeCode {
 public:
  explicit FakeCode(size_t size) : bytes_(size, 0x90) {}

  uintptr_t here() const { return address(cursor_); }
  uintptr_t address(size_t offset) const { return reinterpret_cast<uintptr_t>(bytes_.data()) + offset; }
  uintptr_t begin() const { return address(0); }
  uintptr_t end() const { return address(bytes_.size()); }

  void emit(std::initializer_list<uint8_t> bytes) {
    for (uint8_t byte : bytes) bytes_.at(cursor_++) = byte;
  }
  void skip(size_t n) { cursor_ += n; }
  // EB, n, 2F, entries, 0; answers the record's address, the return address of the call it follows.
  uintptr_t call_site(std::initializer_list<uint8_t> entries) {
    const uintptr_t record = here();
    emit({0xEB, static_cast<uint8_t>(entries.size() + 2), 0x2F});
    emit(entries);
    emit({0});
    return record;
  }
  void table_start() { emit({0xC9, 0xC3, 0x2F}); }
  void catch_clause(int16_t class_index, uintptr_t handler) {
    emit({4, static_cast<uint8_t>(class_index >> 8), static_cast<uint8_t>(class_index)});
    const auto displacement = static_cast<uint32_t>(handler - here());
    emit({static_cast<uint8_t>(displacement >> 24), static_cast<uint8_t>(displacement >> 16),
          static_cast<uint8_t>(displacement >> 8), static_cast<uint8_t>(displacement)});
  }
  void release_string(int16_t offset) {
    emit({5, static_cast<uint8_t>(offset >> 8), static_cast<uint8_t>(offset)});
  }
  void release_object(int16_t offset) {
    emit({6, static_cast<uint8_t>(offset >> 8), static_cast<uint8_t>(offset)});
  }
  void table_end() { emit({0}); }

 private:
  std::vector<uint8_t> bytes_;
  size_t cursor_ = 0;
};

// What the hooks see and do. Hooks are plain functions, so the test in progress is reached globally.
struct World {
  std::vector<std::pair<uintptr_t, uintptr_t>> readable;
  std::vector<int32_t> exception_classes = {kExceptionClass, kParentClass, kRootClass};
  std::vector<int32_t> isa_questions;
  std::vector<QlString> strings_released;
  std::vector<QlObject*> objects_released;
  std::vector<std::pair<std::string, int>> reports;
};
World* world = nullptr;

bool fake_isa(QlObject*, int32_t class_index) {
  world->isa_questions.push_back(class_index);
  const auto& classes = world->exception_classes;
  return std::find(classes.begin(), classes.end(), class_index) != classes.end();
}
void fake_release_string(QlString s) { world->strings_released.push_back(s); }
void fake_release_object(QlObject* o) { world->objects_released.push_back(o); }
void fake_report(const char* source, int line) { world->reports.emplace_back(source, line); }
bool fake_readable(const void* p, size_t n) {
  const auto start = reinterpret_cast<uintptr_t>(p);
  for (auto [begin, end] : world->readable) {
    if (start >= begin && start <= end && n <= end - start) return true;
  }
  return false;
}
constexpr FrameWalkHooks kHooks{fake_isa, fake_release_string, fake_release_object, fake_report,
                                fake_readable};

class FrameWalk : public ::testing::Test {
 protected:
  static constexpr size_t kCodeSize = 4096;
  // Frame indexes into the fake stack used by most cases: the raising runtime routine, an inner and an
  // outer method, and the frame that called the outer method (the end of the chain).
  static constexpr size_t kRuntime = 1200, kInner = 1220, kOuter = 1250, kTop = 1290;
  // Words of the fake stack from here on exist but count as unreadable.
  static constexpr size_t kUnreadableStack = 3500;

  void SetUp() override {
    world = &world_;
    add_readable(at(0), at(kUnreadableStack));
    add_readable(code_.begin(), code_.end());
  }
  void TearDown() override { world = nullptr; }

  void add_readable(uintptr_t begin, uintptr_t end) { world_.readable.emplace_back(begin, end); }
  uintptr_t at(size_t index) { return reinterpret_cast<uintptr_t>(&stack_.at(index)); }
  uintptr_t& word(size_t index) { return stack_.at(index); }
  uintptr_t& slot_of(size_t frame) { return stack_.at(frame - 1); }
  uintptr_t& variable(size_t frame, int16_t offset) {
    return stack_.at(
        static_cast<size_t>(static_cast<ptrdiff_t>(frame) + offset / static_cast<ptrdiff_t>(kWord)));
  }
  void link(size_t frame, uintptr_t caller, uintptr_t return_address) {
    stack_.at(frame) = caller;
    stack_.at(frame + 1) = return_address;
  }

  static QlString string(int i) { return &strings_[i]; }
  static QlObject* object(int i) { return reinterpret_cast<QlObject*>(&objects_[i]); }
  static uintptr_t bits(const void* p) { return reinterpret_cast<uintptr_t>(p); }

  bool walk(size_t start) { return find_handler(exception_, at(start), kHooks, target_); }
  bool walk_from(uintptr_t frame) { return find_handler(exception_, frame, kHooks, target_); }

  // A return address in code that carries no record, as after a call between runtime routines.
  uintptr_t plain_return() { return code_.address(kCodeSize - 16); }

  World world_;
  std::array<uintptr_t, 4096> stack_{};
  FakeCode code_{kCodeSize};
  QlObject* exception_ = object(0);
  HandlerTarget target_;

  static inline QlStringHeader strings_[8];
  static inline std::array<std::array<uintptr_t, 2>, 8> objects_;
};

TEST_F(FrameWalk, CatchInOuterMethodAfterInnerFramesAreCleanedUp) {
  // Inner: a catch for an unrelated class, a string and an object variable, and an exception it caught
  // before still in its slot.
  const uintptr_t inner_return = code_.call_site({});
  code_.skip(20);
  const uintptr_t inner_handler = code_.here();
  code_.skip(8);
  code_.table_start();
  code_.release_string(kStringVariable);
  code_.release_object(kObjectVariable);
  code_.catch_clause(kOtherClass, inner_handler);
  code_.table_end();
  // Outer: catches through the root class; its handler lies before the table.
  const uintptr_t outer_return = code_.call_site({});
  const uintptr_t outer_handler = code_.here();
  code_.skip(30);
  code_.table_start();
  code_.catch_clause(kRootClass, outer_handler);
  code_.table_end();

  link(kRuntime, at(kInner), inner_return);
  link(kInner, at(kOuter), outer_return);
  link(kOuter, at(kTop), plain_return());
  variable(kInner, kStringVariable) = bits(string(1));
  variable(kInner, kObjectVariable) = bits(object(1));
  slot_of(kInner) = bits(object(2));

  ASSERT_TRUE(walk(kRuntime));
  EXPECT_EQ(target_.frame_pointer, at(kOuter));
  EXPECT_EQ(target_.handler, outer_handler);
  EXPECT_EQ(slot_of(kOuter), bits(exception_));
  EXPECT_EQ(slot_of(kInner), 0u);
  EXPECT_EQ(variable(kInner, kStringVariable), 0u);
  EXPECT_EQ(variable(kInner, kObjectVariable), 0u);
  EXPECT_EQ(world_.strings_released, std::vector<QlString>({string(1)}));
  EXPECT_EQ(world_.objects_released, std::vector<QlObject*>({object(1), object(2)}));
  EXPECT_EQ(world_.isa_questions, std::vector<int32_t>({kOtherClass, kRootClass}));
  EXPECT_TRUE(world_.reports.empty());
}

TEST_F(FrameWalk, CatchClausesAreTriedInOrderAndMatchSuperclasses) {
  const uintptr_t inner_return = code_.call_site({});
  code_.table_start();
  code_.catch_clause(kOtherClass, code_.begin());
  code_.release_string(kStringVariable);
  const uintptr_t handler = code_.here() + 200;  // after the table: a positive displacement
  code_.catch_clause(kParentClass, handler);
  code_.release_object(kObjectVariable);  // after the matching clause: not run
  code_.catch_clause(kExceptionClass, code_.begin());
  code_.table_end();

  link(kRuntime, at(kInner), inner_return);
  link(kInner, at(kTop), plain_return());
  variable(kInner, kStringVariable) = bits(string(1));
  variable(kInner, kObjectVariable) = bits(object(1));

  ASSERT_TRUE(walk(kRuntime));
  EXPECT_EQ(target_.frame_pointer, at(kInner));
  EXPECT_EQ(target_.handler, handler);
  EXPECT_EQ(world_.isa_questions, std::vector<int32_t>({kOtherClass, kParentClass}));
  EXPECT_EQ(variable(kInner, kStringVariable), 0u);
  EXPECT_EQ(variable(kInner, kObjectVariable), bits(object(1)));
  EXPECT_EQ(world_.strings_released, std::vector<QlString>({string(1)}));
  EXPECT_TRUE(world_.objects_released.empty());
  EXPECT_EQ(slot_of(kInner), bits(exception_));
}

TEST_F(FrameWalk, SkipCatchPassesTheNearestMethodsClausesButRunsItsCleanup) {
  const uintptr_t inner_return = code_.call_site({7});
  code_.table_start();
  code_.release_string(kStringVariable);
  code_.catch_clause(kRootClass, code_.begin());
  code_.table_end();
  // The flag belongs to one call: the outer method's call carries no 7 and its clause is considered.
  const uintptr_t outer_return = code_.call_site({});
  code_.table_start();
  code_.catch_clause(kRootClass, code_.begin() + 64);
  code_.table_end();

  link(kRuntime, at(kInner), inner_return);
  link(kInner, at(kOuter), outer_return);
  link(kOuter, at(kTop), plain_return());
  variable(kInner, kStringVariable) = bits(string(2));
  slot_of(kInner) = bits(object(3));

  ASSERT_TRUE(walk(kRuntime));
  EXPECT_EQ(target_.frame_pointer, at(kOuter));
  EXPECT_EQ(target_.handler, code_.begin() + 64);
  EXPECT_EQ(world_.isa_questions, std::vector<int32_t>({kRootClass}));
  EXPECT_EQ(world_.strings_released, std::vector<QlString>({string(2)}));
  EXPECT_EQ(world_.objects_released, std::vector<QlObject*>({object(3)}));
  EXPECT_EQ(slot_of(kInner), 0u);
  EXPECT_EQ(slot_of(kOuter), bits(exception_));
}

TEST_F(FrameWalk, CallSiteEntriesReleaseTheArgumentAreaOfEachCall) {
  // The argument area of a call is the block just above the callee's return address: callee frame + 2
  // words. Offsets count bytes from its start.
  const uint8_t second = static_cast<uint8_t>(kWord);
  const uint8_t fourth = static_cast<uint8_t>(3 * kWord);
  const uintptr_t inner_return = code_.call_site({1, 0, 2, second, 1, fourth});
  code_.table_start();
  code_.table_end();
  const uintptr_t outer_return = code_.call_site({2, 0});
  code_.table_start();
  code_.catch_clause(kRootClass, code_.begin());
  code_.table_end();

  link(kRuntime, at(kInner), inner_return);
  link(kInner, at(kOuter), outer_return);
  link(kOuter, at(kTop), plain_return());
  word(kRuntime + 2) = bits(string(1));
  word(kRuntime + 3) = bits(object(1));
  word(kRuntime + 4) = 0x1234;  // not named by any entry
  word(kRuntime + 5) = 0;       // a nil argument: nothing to release
  word(kInner + 2) = bits(object(2));

  ASSERT_TRUE(walk(kRuntime));
  EXPECT_EQ(word(kRuntime + 2), 0u);
  EXPECT_EQ(word(kRuntime + 3), 0u);
  EXPECT_EQ(word(kRuntime + 4), 0x1234u);
  EXPECT_EQ(word(kInner + 2), 0u);
  EXPECT_EQ(world_.strings_released, std::vector<QlString>({string(1)}));
  EXPECT_EQ(world_.objects_released, std::vector<QlObject*>({object(1), object(2)}));
}

TEST_F(FrameWalk, UnknownOpcodesAreSkippedAndOnlyCallSiteOnesReported) {
  const uintptr_t inner_return = code_.call_site({3, 4, 5, 6, 8, 0xFF, 1, 0});
  code_.table_start();
  code_.emit({1, 2, 3, 7, 0x80});
  code_.catch_clause(kRootClass, code_.begin());
  code_.table_end();
  link(kRuntime, at(kInner), inner_return);
  link(kInner, at(kTop), plain_return());
  word(kRuntime + 2) = bits(string(1));

  ASSERT_TRUE(walk(kRuntime));
  EXPECT_EQ(target_.frame_pointer, at(kInner));
  const std::pair<std::string, int> assertion{"win32exception", 91};
  EXPECT_EQ(world_.reports, std::vector(6, assertion));
  EXPECT_EQ(world_.strings_released, std::vector<QlString>({string(1)}));
}

TEST_F(FrameWalk, FramesWithoutRecordsArePassedOver) {
  // Between the raise and the method: runtime routines, one returning into a short jump that is not a
  // record (no marker behind it).
  code_.emit({0xEB, 0x05, 0x90, 0x90});
  const uintptr_t jump_without_marker = code_.begin();
  const uintptr_t method_return = code_.call_site({});
  code_.table_start();
  code_.catch_clause(kRootClass, code_.begin() + 100);
  code_.table_end();
  link(kRuntime, at(kRuntime + 10), plain_return());
  link(kRuntime + 10, at(kInner), jump_without_marker);
  link(kInner, at(kOuter), method_return);
  link(kOuter, at(kTop), plain_return());

  ASSERT_TRUE(walk(kRuntime));
  EXPECT_EQ(target_.frame_pointer, at(kOuter));
  EXPECT_EQ(target_.handler, code_.begin() + 100);
}

TEST_F(FrameWalk, UnhandledExceptionLeavesEveryMethodCleanedUp) {
  const uintptr_t inner_return = code_.call_site({});
  code_.table_start();
  code_.release_object(kObjectVariable);
  code_.catch_clause(kOtherClass, code_.begin());
  code_.table_end();
  const uintptr_t outer_return = code_.call_site({});
  code_.table_start();
  code_.release_string(kStringVariable);
  code_.table_end();
  link(kRuntime, at(kInner), inner_return);
  link(kInner, at(kOuter), outer_return);
  link(kOuter, at(kTop), plain_return());
  link(kTop, 0, plain_return());
  variable(kInner, kObjectVariable) = bits(object(1));
  variable(kOuter, kStringVariable) = bits(string(1));
  slot_of(kInner) = bits(object(2));
  slot_of(kOuter) = bits(object(3));

  EXPECT_FALSE(walk(kRuntime));
  EXPECT_EQ(world_.objects_released, std::vector<QlObject*>({object(1), object(2), object(3)}));
  EXPECT_EQ(world_.strings_released, std::vector<QlString>({string(1)}));
  EXPECT_EQ(slot_of(kInner), 0u);
  EXPECT_EQ(slot_of(kOuter), 0u);
}

TEST_F(FrameWalk, CatchReleasesAnExceptionStillInTheSlot) {
  const uintptr_t inner_return = code_.call_site({});
  code_.table_start();
  code_.catch_clause(kRootClass, code_.begin());
  code_.table_end();
  link(kRuntime, at(kInner), inner_return);
  link(kInner, at(kTop), plain_return());

  slot_of(kInner) = bits(object(4));
  ASSERT_TRUE(walk(kRuntime));
  EXPECT_EQ(slot_of(kInner), bits(exception_));
  EXPECT_EQ(world_.objects_released, std::vector<QlObject*>({object(4)}));

  // Raising the caught exception again: the slot's reference goes, the raise's takes its place.
  world_.objects_released.clear();
  ASSERT_TRUE(walk(kRuntime));
  EXPECT_EQ(slot_of(kInner), bits(exception_));
  EXPECT_EQ(world_.objects_released, std::vector<QlObject*>({exception_}));
}

TEST_F(FrameWalk, ChainStopsEndTheWalkAsUnhandled) {
  const uintptr_t method_return = code_.call_site({});
  code_.table_start();
  code_.release_string(kStringVariable);
  code_.catch_clause(kRootClass, code_.begin());
  code_.table_end();
  // A method at frame index m that would catch; it is entered by the call that returns to method_return.
  auto method_at = [&](size_t m) {
    world_.strings_released.clear();
    variable(m, kStringVariable) = bits(string(1));
    link(m, at(m + 40), plain_return());
    link(m + 40, 0, plain_return());
  };
  const size_t start = 1000, gap = kMaxFrameGap / kWord;

  method_at(kInner);
  link(start, 0, method_return);
  EXPECT_FALSE(walk(start)) << "null frame";
  link(start, at(start - 10), method_return);
  EXPECT_FALSE(walk(start)) << "frame going downwards";
  link(start, at(start), method_return);
  EXPECT_FALSE(walk(start)) << "frame pointing at itself";
  EXPECT_TRUE(world_.strings_released.empty());

  method_at(start + gap + 20);
  link(start, at(start + gap + 20), method_return);
  EXPECT_TRUE(walk(start)) << "the step from the raising routine is not limited";
  EXPECT_EQ(world_.strings_released.size(), 1u);

  // Further out, a caller more than kMaxFrameGap above ends the walk before its call runs.
  const size_t runtime = start + 2;
  link(start, at(runtime), plain_return());
  method_at(runtime + gap + 1);
  link(runtime, at(runtime + gap + 1), method_return);
  EXPECT_FALSE(walk(start));
  EXPECT_TRUE(world_.strings_released.empty());
  method_at(runtime + gap);
  link(runtime, at(runtime + gap), method_return);
  EXPECT_TRUE(walk(start));
  EXPECT_EQ(world_.strings_released.size(), 1u);

  // Unreadable memory: the starting frame, a return address, a frame further out.
  method_at(kInner);
  EXPECT_FALSE(walk_from(bits(&world_)));
  const uint8_t unregistered_code[4] = {0xEB, 2, 0x2F, 0};
  link(start, at(kInner), bits(unregistered_code));
  EXPECT_FALSE(walk(start));
  link(start, at(kUnreadableStack), plain_return());
  link(kUnreadableStack, at(kInner), method_return);
  EXPECT_FALSE(walk(start));
  EXPECT_TRUE(world_.strings_released.empty());
}

TEST_F(FrameWalk, DamagedRecordsAndTablesEndTheWalkAsUnhandled) {
  link(kInner, at(kTop), plain_return());
  slot_of(kInner) = bits(object(1));

  // A record whose entries run past its length: the operand of 1 and the terminator lie outside it.
  code_.emit({0xEB, 2, 0x2F, 1, 0, 0});
  link(kRuntime, at(kInner), code_.begin());
  EXPECT_FALSE(walk(kRuntime));

  // A record without its terminating 0, in front of a table that would catch.
  const uintptr_t unterminated = code_.here();
  code_.emit({0xEB, 2, 0x2F, 7});
  code_.table_start();
  code_.catch_clause(kRootClass, code_.begin());
  code_.table_end();
  link(kRuntime, at(kInner), unterminated);
  EXPECT_FALSE(walk(kRuntime));

  // A record that ends the readable code with an opcode whose operand would lie beyond it.
  FakeCode tail(4);
  tail.emit({0xEB, 2, 0x2F, 1});
  add_readable(tail.begin(), tail.end());
  link(kRuntime, at(kInner), tail.begin());
  EXPECT_FALSE(walk(kRuntime));

  // No handler table before the code ends.
  const uintptr_t no_table = code_.call_site({});
  code_.emit({0xC9, 0xC3, 0x00, 0xC9, 0x2F});
  link(kRuntime, at(kInner), no_table);
  EXPECT_FALSE(walk(kRuntime));

  // A variable outside readable memory.
  const uintptr_t far_variable = code_.call_site({});
  code_.table_start();
  code_.release_string(-0x7000);
  code_.table_end();
  link(kRuntime, at(kInner), far_variable);
  EXPECT_FALSE(walk(kRuntime));

  // A table cut off by the end of readable code.
  FakeCode cut(16);
  cut.call_site({});
  cut.table_start();
  cut.emit({5, 0xFF, 0xF0, 4, 0, 1, 0, 0, 0});
  add_readable(cut.begin(), cut.end());
  link(kRuntime, at(kInner), cut.begin());
  EXPECT_FALSE(walk(kRuntime));

  EXPECT_TRUE(world_.objects_released.empty());
  EXPECT_EQ(slot_of(kInner), bits(object(1)));
}

TEST_F(FrameWalk, HandlerTableMustBeginWithinTheScanLimit) {
  FakeCode big(kHandlerTableScanLimit + 64);
  add_readable(big.begin(), big.end());
  const uintptr_t record = big.call_site({});
  const size_t record_end = big.here() - big.begin();
  link(kInner, at(kTop), plain_return());
  link(kRuntime, at(kInner), record);

  big.skip(kHandlerTableScanLimit);
  big.table_start();
  big.catch_clause(kRootClass, big.begin());
  big.table_end();
  EXPECT_FALSE(walk(kRuntime));

  FakeCode within(kHandlerTableScanLimit + 64);
  add_readable(within.begin(), within.end());
  link(kRuntime, at(kInner), within.call_site({}));
  ASSERT_EQ(within.here() - within.begin(), record_end);
  within.skip(kHandlerTableScanLimit - 1);
  within.table_start();
  within.catch_clause(kRootClass, within.begin());
  within.table_end();
  EXPECT_TRUE(walk(kRuntime));
}

TEST(FrameWalkProbe, IsReadableAnswersForTheRealMemory) {
  const char buffer[32] = {};
  EXPECT_TRUE(platform::is_readable(buffer, sizeof buffer));
  EXPECT_FALSE(platform::is_readable(nullptr, 1));
  EXPECT_FALSE(platform::is_readable(reinterpret_cast<const void*>(uintptr_t{16}), 4));
#ifndef _WIN32
  const auto page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  void* pages = mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(pages, MAP_FAILED);
  char* second = static_cast<char*>(pages) + page;
  ASSERT_EQ(mprotect(second, page, PROT_NONE), 0);
  EXPECT_TRUE(platform::is_readable(pages, page));
  EXPECT_FALSE(platform::is_readable(second, 1));
  EXPECT_FALSE(platform::is_readable(second - 2, 4)) << "a block running into an unreadable page";
  munmap(pages, 2 * page);
#endif
}

}  // namespace
}  // namespace ql
