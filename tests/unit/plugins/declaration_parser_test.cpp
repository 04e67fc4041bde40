// The declaration parser of plug-in members: the shape it accepts, the types it resolves, and what it
// rejects.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "objects/class_object.h"
#include "plugins/plugin_declarations.h"

namespace ql {
namespace {

// Built-in names and two classes, as the host's check answers.
bool known(std::string_view type) {
  return builtin_type_name(type) || names_equal(type, "Picture") ||
         names_equal(type, "actionNotificationReceiver");
}

TEST(PluginDeclarations, ReadsNamesParametersPassingAndResults) {
  auto plain = parse_declaration("DeleteAllRows", known);
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->name, "DeleteAllRows");
  EXPECT_TRUE(plain->parameters.empty());
  EXPECT_TRUE(plain->result.empty());

  auto event = parse_declaration("MouseDown(X As Integer, Y As Integer) As Boolean", known);
  ASSERT_TRUE(event);
  EXPECT_EQ(event->name, "MouseDown");
  ASSERT_EQ(event->parameters.size(), 2u);
  EXPECT_EQ(event->parameters[1].name, "Y");
  EXPECT_EQ(event->parameters[1].type, "Integer");
  EXPECT_EQ(event->result, "Boolean");
  EXPECT_EQ(parameter_text(*event), "X As Integer, Y As Integer");

  auto passing =
      parse_declaration("  Swap ( ByRef a As string ,byval b As COLOR, c As Picture )as Double ", known);
  ASSERT_TRUE(passing);
  ASSERT_EQ(passing->parameters.size(), 3u);
  EXPECT_TRUE(passing->parameters[0].by_reference);
  EXPECT_FALSE(passing->parameters[1].by_reference);
  EXPECT_FALSE(passing->parameters[2].by_reference);
  EXPECT_EQ(passing->parameters[2].type, "Picture");
  EXPECT_EQ(passing->result, "Double");
  EXPECT_EQ(parameter_text(*passing), "ByRef a As string, b As COLOR, c As Picture");

  auto empty_list = parse_declaration("Refresh()", known);
  ASSERT_TRUE(empty_list);
  EXPECT_TRUE(empty_list->parameters.empty());
  auto receiver =
      parse_declaration("addActionNotificationReceiver(receiver As actionNotificationReceiver)", known);
  ASSERT_TRUE(receiver);
  EXPECT_EQ(receiver->parameters[0].type, "actionNotificationReceiver");
  for (const char* type : {"Integer", "String", "Boolean", "Single", "Double", "Color"})
    EXPECT_TRUE(parse_declaration(std::string("F(v As ") + type + ") As " + type, known)) << type;
}

TEST(PluginDeclarations, RejectsEveryOtherShape) {
  const char* const malformed[] = {
      "",
      "   ",
      "(x As Integer)",                  // no name
      "1Add",                            // a name starts with a letter
      "Add(x As Integer",                // unclosed
      "Add x As Integer)",               // parameters outside parentheses
      "Add(x Integer)",                  // no As
      "Add(As Integer)",                 // no parameter name
      "Add(ByRef As Integer)",           // a keyword is no name
      "Add(x As Integer,)",              // a comma without a parameter
      "Add(,x As Integer)",              //
      "Add(x As Integer y As Integer)",  // no comma
      "Add(x As Integer) Boolean",       // a result without As
      "Add(x As Integer) As",            // As without a type
      "Add(x As Integer) As Boolean extra",
      "Add(x As Integer) As Boolean)",
      "Add(x As Integer)(y As Integer)",
      "Add(x As Integer; y As Integer)",
      "Add(x As Long)",               // an unknown type
      "Add(x As Integer) As Window",  // a class the check does not know
      "Add(ByVal ByRef x As Integer)",
      "As",
  };
  for (const char* text : malformed) EXPECT_FALSE(parse_declaration(text, known)) << '"' << text << '"';
}

TEST(PluginDeclarations, TypesResolveThroughTheCheckOnly) {
  std::set<std::string> asked;
  auto recording = [&](std::string_view type) {
    asked.insert(std::string(type));
    return type == "Widget";
  };
  EXPECT_TRUE(parse_declaration("Make(w As Widget) As Widget", recording));
  EXPECT_FALSE(parse_declaration("Make(w As widget)", recording));
  EXPECT_EQ(asked, (std::set<std::string>{"Widget", "widget"}));
  EXPECT_TRUE(builtin_type_name("boolean"));
  EXPECT_FALSE(builtin_type_name("Form"));
  EXPECT_FALSE(builtin_type_name("Picture"));
}

}  // namespace
}  // namespace ql
