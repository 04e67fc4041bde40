// Runtime strings: buffers, empties, building, references and concatenation.
#include "values/string.h"

#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "quillet/strings.h"
#include "string_test_support.h"
#include "values/pool.h"
#include "values/string_ref.h"

namespace ql {
namespace {

using testing::make;
using testing::text;

int64_t outstanding() { return process_pool().bytes_outstanding(); }

TEST(RuntimeString, BuffersCarryASaturatingLengthByteTheTextAndANul) {
  std::string long_text(300, 'x');
  long_text[299] = 'y';
  StringRef s = make(long_text);
  ASSERT_NE(s.get(), nullptr);
  EXPECT_EQ(s.get()->count, 1);
  EXPECT_EQ(s.get()->length, 300);
  EXPECT_EQ(s.get()->size, 302);
  EXPECT_EQ(s.get()->buffer[0], 255);
  EXPECT_EQ(strlen(StringToCString(s.get())), 300u);
  EXPECT_EQ(StringToCString(s.get())[299], 'y');
  EXPECT_EQ(StringGetPString(s.get()), s.get()->buffer);
  EXPECT_EQ(StringGetCString(s.get()), StringToCString(s.get()));

  EXPECT_EQ(make(std::string(255, 'a')).get()->buffer[0], 255);
  EXPECT_EQ(make(std::string(254, 'a')).get()->buffer[0], 254);
  StringRef short_one = make("abc");
  EXPECT_EQ(memcmp(StringToPString(short_one.get()),
                   "\x03"
                   "abc",
                   5),
            0);  // with the NUL
}

TEST(RuntimeString, EmptyResultsAreNullAndNullReadsAsTheEmptyString) {
  EXPECT_EQ(string_from_bytes("abc", 0), nullptr);
  EXPECT_EQ(string_from_bytes("abc", -1), nullptr);
  EXPECT_EQ(string_from_cstr(nullptr), nullptr);
  EXPECT_EQ(string_from_cstr(""), nullptr);
  EXPECT_EQ(string_from_pstr(nullptr), nullptr);
  EXPECT_EQ(string_from_pstr(reinterpret_cast<const uint8_t*>("\0abc")), nullptr);

  EXPECT_STREQ(StringToCString(nullptr), "");
  EXPECT_EQ(StringGetCString(nullptr), StringToCString(nullptr));
  EXPECT_EQ(StringToPString(nullptr)[0], 0);
  EXPECT_EQ(StringGetPString(nullptr), StringToPString(nullptr));
  EXPECT_EQ(StringLen(nullptr), 0);
  EXPECT_EQ(StringAsc(nullptr), 0);
  EXPECT_EQ(String(nullptr), nullptr);
  RuntimeLockString(nullptr);
  RuntimeUnlockString(nullptr);
}

TEST(RuntimeString, BuildsFromTheRuntimesOtherForms) {
  EXPECT_EQ(text(StringRef(string_from_cstr("hello")).get()), "hello");
  EXPECT_EQ(text(StringRef(string_from_pstr(reinterpret_cast<const uint8_t*>("\x03"
                                                                             "abcdef")))
                     .get()),
            "abc");
  EXPECT_EQ(text(StringRef(string_from_int(0)).get()), "0");
  EXPECT_EQ(text(StringRef(string_from_int(-42)).get()), "-42");
  EXPECT_EQ(text(StringRef(string_from_int(INT32_MIN)).get()), "-2147483648");

  StringRef sized(string_from_bytes(nullptr, 3));
  ASSERT_NE(sized.get(), nullptr);
  EXPECT_EQ(sized.get()->length, 3);
  EXPECT_EQ(sized.get()->buffer[0], 3);
  EXPECT_EQ(sized.get()->buffer[4], 0);

  StringRef appended(string_append_byte(nullptr, 'x'));
  EXPECT_EQ(text(appended.get()), "x");
  StringRef longer(string_append_byte(make(std::string(255, 'a')).get(), 'b'));
  EXPECT_EQ(longer.get()->length, 256);
  EXPECT_EQ(longer.get()->buffer[0], 255);
  EXPECT_EQ(longer.get()->buffer[256], 'b');
  EXPECT_EQ(longer.get()->buffer[257], 0);

  // Text may hold NUL bytes; only the NUL-terminated view stops at them.
  StringRef with_nul = make(std::string("a\0b", 3));
  EXPECT_EQ(StringLen(with_nul.get()), 3);
  EXPECT_STREQ(StringToCString(with_nul.get()), "a");
  EXPECT_EQ(text(with_nul.get()), std::string("a\0b", 3));
}

TEST(RuntimeString, AscAndChrWorkOnUnsignedBytes) {
  EXPECT_EQ(StringAsc(make("\xE9t\xE9").get()), 233);
  EXPECT_EQ(StringAsc(make("A").get()), 65);
  EXPECT_EQ(text(StringRef(StringChr(321)).get()), "A");
  EXPECT_EQ(text(StringRef(StringChr(-1)).get()), "\xFF");
  StringRef zero(StringChr(0));
  EXPECT_EQ(StringLen(zero.get()), 1);
  EXPECT_EQ(StringAsc(zero.get()), 0);
  EXPECT_STREQ(StringToCString(zero.get()), "");
}

TEST(RuntimeString, ConcatenationReturnsAnEmptyOperandsPartner) {
  EXPECT_EQ(RuntimeAddString(nullptr, nullptr), nullptr);
  StringRef a = make("left");
  StringRef b = make("right");
  QlString same = RuntimeAddString(a.get(), nullptr);
  EXPECT_EQ(same, a.get());
  EXPECT_EQ(a.get()->count, 2);
  RuntimeUnlockString(same);
  QlString other = RuntimeAddString(nullptr, b.get());
  EXPECT_EQ(other, b.get());
  EXPECT_EQ(b.get()->count, 2);
  RuntimeUnlockString(other);

  StringRef joined(RuntimeAddString(a.get(), b.get()));
  EXPECT_EQ(text(joined.get()), "leftright");
  EXPECT_EQ(joined.get()->count, 1);
  EXPECT_EQ(a.get()->count, 1);
  StringRef long_join(RuntimeAddString(make(std::string(200, 'a')).get(), make(std::string(100, 'b')).get()));
  EXPECT_EQ(long_join.get()->length, 300);
  EXPECT_EQ(long_join.get()->buffer[0], 255);
  EXPECT_EQ(text(long_join.get()), std::string(200, 'a') + std::string(100, 'b'));
}

TEST(RuntimeString, ReferencesFreeTheStringOnTheStepFromOneToZero) {
  int64_t before = outstanding();
  QlString s = string_from_cstr("counted");
  EXPECT_GT(outstanding(), before);
  RuntimeLockString(s);
  QlString passed = String(s);
  EXPECT_EQ(passed, s);
  EXPECT_EQ(s->count, 3);
  RuntimeUnlockString(passed);
  RuntimeUnlockString(s);
  EXPECT_EQ(s->count, 1);
  RuntimeUnlockString(s);
  EXPECT_EQ(outstanding(), before);

  // A holder that broke the rules: the count moves regardless, and only the step from 1 to 0 frees.
  s = string_from_cstr("broken");
  int64_t alive = outstanding();
  s->count = 0;
  RuntimeUnlockString(s);
  EXPECT_EQ(s->count, -1);
  EXPECT_EQ(outstanding(), alive);
  s->count = 0;
  RuntimeLockString(s);
  EXPECT_EQ(s->count, 1);
  RuntimeUnlockString(s);
  EXPECT_EQ(outstanding(), before);
}

TEST(RuntimeString, AssignmentMovesOneReference) {
  StringRef a = make("a");
  StringRef b = make("b");
  QlString variable = nullptr;
  string_assign(variable, a.get());
  EXPECT_EQ(a.get()->count, 2);
  string_assign(variable, variable);
  EXPECT_EQ(a.get()->count, 2);
  string_assign(variable, b.get());
  EXPECT_EQ(a.get()->count, 1);
  EXPECT_EQ(b.get()->count, 2);
  string_assign(variable, nullptr);
  EXPECT_EQ(variable, nullptr);
  EXPECT_EQ(b.get()->count, 1);

  // A variable holding the last reference to a string can be assigned that string's own value.
  QlString only = string_from_cstr("only");
  string_assign(only, only);
  EXPECT_EQ(only->count, 1);
  RuntimeUnlockString(only);
}

TEST(RuntimeString, WritableBytesCopyOnWrite) {
  StringRef original = make("shared");
  QlString holder = String(original.get());
  uint8_t* byte = string_writable_byte(holder, 0);
  *byte = 'S';
  EXPECT_NE(holder, original.get());
  EXPECT_EQ(text(holder), "Shared");
  EXPECT_EQ(text(original.get()), "shared");
  EXPECT_EQ(original.get()->count, 1);

  // Unshared: changed in place, and the pointer runs on through the text.
  QlString before = holder;
  uint8_t* last = string_writable_byte(holder, 5);
  EXPECT_EQ(holder, before);
  EXPECT_EQ(last, holder->buffer + 6);
  *last = 'D';
  EXPECT_EQ(text(holder), "ShareD");
  RuntimeUnlockString(holder);
}

TEST(RuntimeString, WritableBytesOutOfRangeLandOnAScratchByte) {
  StringRef s = make("abc");
  QlString held = s.get();
  for (int32_t index : {-1, 3, 1000, INT32_MIN}) {
    uint8_t* byte = string_writable_byte(held, index);
    EXPECT_EQ(held, s.get());
    EXPECT_TRUE(byte < held->buffer || byte >= held->buffer + held->size) << index;
    *byte = '!';
  }
  EXPECT_EQ(text(s.get()), "abc");

  QlString empty = nullptr;
  uint8_t* scratch = string_writable_byte(empty, 0);
  ASSERT_NE(scratch, nullptr);
  EXPECT_EQ(*scratch, 0);
  *scratch = 'x';
  EXPECT_EQ(*string_writable_byte(empty, 1), 0);  // fresh for every caller
  EXPECT_EQ(empty, nullptr);
}

TEST(RuntimeString, BufferRefusedByTheHeapMakesTheStringEmpty) {
  struct DryHeap {
    static void* alloc(void*, size_t) { return nullptr; }
    static void free(void*, void* p) { platform::heap_free(p); }
  };
  // Only large buffers reach the heap once the pool has a chunk; make sure it has one.
  StringRef warm = make("warm");
  StringRef long_text = make(std::string(300, 'a'));
  PoolHeap old = process_pool().replace_heap({DryHeap::alloc, DryHeap::free, nullptr});
  int64_t before = outstanding();
  QlString big = string_from_bytes(nullptr, 400);
  QlString joined = RuntimeAddString(long_text.get(), warm.get());
  process_pool().replace_heap(old);
  EXPECT_EQ(big, nullptr);
  EXPECT_EQ(joined, nullptr);
  EXPECT_EQ(outstanding(), before);

  // Lengths whose buffer size cannot be represented are refused the same way.
  EXPECT_EQ(string_from_bytes(nullptr, INT32_MAX), nullptr);
  EXPECT_EQ(string_from_bytes(nullptr, INT32_MAX - 1), nullptr);
}

TEST(RuntimeString, PropertySlotsHoldAReference) {
  alignas(8) unsigned char object[40] = {};
  auto* as_object = reinterpret_cast<QlObject*>(object);
  const int32_t offset = 13;  // slots are read as raw bytes, aligned or not
  StringRef value = make("title");

  EXPECT_EQ(stringGetter(as_object, offset), nullptr);
  stringSetter(as_object, offset, value.get());
  EXPECT_EQ(value.get()->count, 2);
  stringSetter(as_object, offset, value.get());
  EXPECT_EQ(value.get()->count, 2);
  QlString read = stringGetter(as_object, offset);
  EXPECT_EQ(read, value.get());
  EXPECT_EQ(value.get()->count, 3);
  RuntimeUnlockString(read);
  QlString slot;
  memcpy(&slot, object + offset, sizeof slot);
  EXPECT_EQ(slot, value.get());

  stringSetter(as_object, offset, nullptr);
  EXPECT_EQ(value.get()->count, 1);
  memcpy(&slot, object + offset, sizeof slot);
  EXPECT_EQ(slot, nullptr);

  EXPECT_EQ(stringGetter(nullptr, offset), nullptr);
  stringSetter(nullptr, offset, value.get());
  EXPECT_EQ(value.get()->count, 1);
}

TEST(StringRef, OwnsExactlyOneReference) {
  int64_t before = outstanding();
  {
    StringRef a(string_from_cstr("owned"));
    StringRef b = std::move(a);
    EXPECT_EQ(a.get(), nullptr);
    EXPECT_EQ(b.get()->count, 1);
    StringRef c = StringRef::retain(b.get());
    EXPECT_EQ(b.get()->count, 2);
    c = std::move(b);
    EXPECT_EQ(c.get()->count, 1);
    QlString released = c.release();
    EXPECT_EQ(c.get(), nullptr);
    c.reset(released);
    c.reset(string_from_cstr("replaced"));
  }
  EXPECT_EQ(outstanding(), before);
}

}  // namespace
}  // namespace ql
