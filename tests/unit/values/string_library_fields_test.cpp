// StringCountFields, StringNthField, StringReplace and StringReplaceAll.
#include <gtest/gtest.h>

#include "code_page_expectation.h"
#include "quillet/string_library.h"
#include "quillet/strings.h"
#include "string_library_test_support.h"
#include "values/string_fields.h"
#include "values/string_replace.h"

namespace ql {
namespace {

using testing::FakeDbcs;
using testing::make;
using testing::own;

int32_t count(const std::string& s, const std::string& sep) {
  return StringCountFields(make(s).get(), make(sep).get());
}
std::string field(const std::string& s, const std::string& sep, int32_t n) {
  return own(StringNthField(make(s).get(), make(sep).get(), n));
}
std::string replace(const std::string& s, const std::string& find, const std::string& repl) {
  return own(StringReplace(make(s).get(), make(find).get(), make(repl).get()));
}
std::string replace_all(const std::string& s, const std::string& find, const std::string& repl) {
  return own(StringReplaceAll(make(s).get(), make(find).get(), make(repl).get()));
}

TEST(StringLibraryFields, CountsEmptyAndTrailingFields) {
  EXPECT_EQ(count("a,b,,c", ","), 4);
  EXPECT_EQ(count("", ","), 0);
  EXPECT_EQ(count("abc", ""), 1);
  EXPECT_EQ(count("abc", ","), 1);
  EXPECT_EQ(count("a,b,", ","), 3);
  EXPECT_EQ(count(",", ","), 2);
  EXPECT_EQ(count("aXbxc", "x"), 3);
  EXPECT_EQ(count("a--b---c", "--"), 3);  // a, b, -c: matches do not overlap
  EXPECT_EQ(count("xxxx", "xx"), 3);
}

TEST(StringLibraryFields, NthFieldReturnsEmptyBeyondTheLast) {
  EXPECT_EQ(field("a,b,", ",", 3), "");
  EXPECT_EQ(field("a,b", ",", 3), "");
  EXPECT_EQ(field("a,b", ",", 2), "b");
  EXPECT_EQ(field("aXbxc", "x", 3), "c");
  EXPECT_EQ(field("aXbxc", "X", 2), "b");
  EXPECT_EQ(field("a,,c", ",", 2), "");
  EXPECT_EQ(field("a,,c", ",", 3), "c");
  EXPECT_EQ(field("one<SEP>two<sep>three", "<Sep>", 3), "three");
  EXPECT_EQ(field("a--b---c", "--", 3), "-c");
  EXPECT_EQ(field("abc", ",", 0), "");
  EXPECT_EQ(field("abc", ",", -1), "");
  EXPECT_EQ(field("abc", ",", INT32_MAX), "");
  EXPECT_EQ(field("abc", "", 1), "");
  EXPECT_EQ(field("", ",", 1), "");
  StringRef s = make("abc"), comma = make(",");
  QlString whole = StringNthField(s.get(), comma.get(), 1);
  EXPECT_EQ(whole, s.get());  // a field that is the whole text is the text itself
  RuntimeUnlockString(whole);
}

TEST(StringLibraryReplace, ReplaceChangesTheFirstMatchOnly) {
  EXPECT_EQ(replace("one two one", "ONE", "1"), "1 two one");
  EXPECT_EQ(replace("abc", "x", "y"), "abc");
  EXPECT_EQ(replace("abc", "", "y"), "abc");
  EXPECT_EQ(replace("abc", "abc", ""), "");
  EXPECT_EQ(replace("abc", "c", "cde"), "abcde");
  EXPECT_EQ(replace("", "a", "b"), "");
  StringRef s = make("abc"), x = make("x"), y = make("y");
  QlString unchanged = StringReplace(s.get(), x.get(), y.get());
  EXPECT_EQ(unchanged, s.get());
  RuntimeUnlockString(unchanged);
}

TEST(StringLibraryReplace, ReplaceAllNeverSearchesInsertedText) {
  EXPECT_EQ(replace_all("aaa", "a", "aa"), "aaaaaa");
  EXPECT_EQ(replace_all("aXa", "a", "ba"), "baXba");
  EXPECT_EQ(replace_all("Cat cAT dog", "cat", "cat cat"), "cat cat cat cat dog");
  EXPECT_EQ(replace_all("xxxx", "xx", "x"), "xx");
  EXPECT_EQ(replace_all("a,b,,c,", ",", ";;"), "a;;b;;;;c;;");
  EXPECT_EQ(replace_all("abab", "ab", ""), "");
  EXPECT_EQ(replace_all("abc", "", "x"), "abc");
  EXPECT_EQ(replace_all("abc", "d", "x"), "abc");
  EXPECT_EQ(replace_all("line\r\nline\r\n", "\r\n", "\n"), "line\nline\n");
  std::string doubled;
  for (int i = 0; i < 100000; ++i) doubled += "bA";
  EXPECT_EQ(replace_all(std::string(100000, 'a'), "A", "bA"), doubled);
}

TEST(StringLibraryReplace, DbcsFieldsAndReplacementsKeepCharactersWhole) {
  const CodePage& dbcs = FakeDbcs::code_page();
  // 0x82 0x81 then "@": the bytes 0x81 0x40 straddle a character boundary; 0x81 0x40 later is a character.
  StringRef s = make("\x82\x81@x\x81@y");
  StringRef sep = make("\x81@");
  EXPECT_EQ(count_fields(s.get(), sep.get(), &dbcs), 2);
  if (testing::ansi_code_page() == 1252) {  // the single-byte path runs only without lead bytes
    EXPECT_EQ(count_fields(s.get(), sep.get(), nullptr), 3);
  }
  EXPECT_EQ(own(nth_field(s.get(), sep.get(), 1, &dbcs)), "\x82\x81@x");
  EXPECT_EQ(own(nth_field(s.get(), sep.get(), 2, &dbcs)), "y");
  StringRef dash = make("-");
  EXPECT_EQ(own(replace_all(s.get(), sep.get(), dash.get(), &dbcs)), "\x82\x81@x-y");
  EXPECT_EQ(own(replace_first(s.get(), sep.get(), dash.get(), &dbcs)), "\x82\x81@x-y");
  StringRef full_width_a = make("\x82\x60");  // the capital matches the small letter
  EXPECT_EQ(own(replace_all(s.get(), full_width_a.get(), dash.get(), &dbcs)), "-@x\x81@y");
}

}  // namespace
}  // namespace ql
