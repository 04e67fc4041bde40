// The named-object table: its hash, lookups among colliding names, replacement, its own references.
#include "objects/named_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "values/string_ref.h"

namespace ql::testing {
namespace {

uint32_t hash(const std::string& name) {
  return name_hash(reinterpret_cast<const uint8_t*>(name.data()), static_cast<int32_t>(name.size()));
}

std::vector<std::string> names_in_order(const NamedTable& table) {
  std::vector<std::string> names;
  for (const NamedTable::Entry* e = table.first(); e; e = e->order_next)
    names.push_back(string_cview(e->name));
  return names;
}

TEST(NamedTable, HashFoldsLowerCaseLettersAndTakesBytesAsSigned) {
  EXPECT_EQ(hash(""), 0u);
  EXPECT_EQ(hash("A"), 65u);
  EXPECT_EQ(hash("AB"), 66u ^ (65u << 2));  // 326
  EXPECT_EQ(hash("ab"), hash("AB"));
  EXPECT_EQ(hash("a$1"), hash("A$1"));
  EXPECT_EQ(hash("z"), 90u);
  EXPECT_EQ(hash("{"), 123u);  // only "a" to "z" fold
  EXPECT_EQ(hash("`"), 96u);
  EXPECT_EQ(hash("\xE9"), 0xFFFFFFE9u);  // -23 as a signed byte
  EXPECT_EQ(hash("A\xE9"), 0xFFFFFFE9u ^ (65u << 2));
}

TEST(NamedTable, FindsByFoldedNameAmongCollidingEntries) {
  NamedTable table;
  int ab = 1, er = 2, f = 3;
  // "AB" and "ER" have the same hash; "F" shares their bucket with another hash.
  ASSERT_EQ(hash("AB"), hash("ER"));
  ASSERT_EQ(hash("F") & 0xFF, hash("AB") & 0xFF);
  table.insert("AB", &ab);
  table.insert("ER", &er);
  table.insert("F", &f);

  EXPECT_EQ(table.find("ab"), &ab);
  EXPECT_EQ(table.find("Er"), &er);
  EXPECT_EQ(table.find("f"), &f);
  EXPECT_EQ(table.find("G"), nullptr);
  EXPECT_EQ(table.find("A"), nullptr);
  EXPECT_EQ(table.find("ABC"), nullptr);
  StringRef name(string_from_cstr("eR"));
  EXPECT_EQ(table.find(name.get()), &er);
}

TEST(NamedTable, AnEqualNameGetsTheNewValueInPlace) {
  NamedTable table;
  int first = 1, second = 2, third = 3, replacement = 4;
  table.insert("BoxStrip$0", &first);
  table.insert("Canvas1", &second);
  StringRef name(string_from_cstr("BoxStrip$1"));
  table.insert(name.get(), &third);
  EXPECT_EQ(names_in_order(table), (std::vector<std::string>{"BoxStrip$0", "Canvas1", "BoxStrip$1"}));

  table.insert("CANVAS1", &replacement);
  EXPECT_EQ(table.size(), 3);
  EXPECT_EQ(table.find("canvas1"), &replacement);
  // The entry keeps its place and its first spelling.
  EXPECT_EQ(names_in_order(table), (std::vector<std::string>{"BoxStrip$0", "Canvas1", "BoxStrip$1"}));
}

TEST(NamedTable, KeepsItsOwnReferenceToTheName) {
  NamedTable table;
  int value = 1;
  QlString name = string_from_cstr("Listbox1");
  table.insert(name, &value);
  EXPECT_EQ(name->count, 2);
  string_release(name);  // the table's reference keeps the name alive
  EXPECT_EQ(table.find("LISTBOX1"), &value);
}

}  // namespace
}  // namespace ql::testing
