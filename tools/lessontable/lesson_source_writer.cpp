// Each distinct text becomes one constinit string constant; an empty text is the null string, as QL_STR("")
// is.
#include "lessontable/lesson_source_writer.h"

#include <stdio.h>

#include <map>

namespace lessontable {
namespace {

// A C++ string literal of the bytes: printable ASCII as it is, everything else as three octal digits.
std::string literal(const std::string& bytes) {
  std::string text = "\"";
  for (unsigned char byte : bytes) {
    if (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\' && byte != '?') {
      text += static_cast<char>(byte);
    } else {
      char escape[8];
      snprintf(escape, sizeof escape, "\\%03o", byte);
      text += escape;
    }
  }
  return text + "\"";
}

class Constants {
 public:
  // The expression for the text's QlString.
  std::string of(const std::string& text) {
    if (text.empty()) return "nullptr";
    auto [at, added] = names_.emplace(text, "s" + std::to_string(names_.size()));
    if (added) {
      definitions_ += "constinit ::quillet::StringConstant<" + std::to_string(text.size() + 1) + "> " +
                      at->second + "{" + literal(text) + "};\n";
    }
    return "&" + at->second + ".header";
  }
  const std::string& definitions() const { return definitions_; }

 private:
  std::map<std::string, std::string> names_;
  std::string definitions_;
};

}  // namespace

std::string lesson_source(const LessonPlan& plan, const std::string& source_name) {
  Constants constants;
  std::string rows;
  for (const Lesson& lesson : plan.lessons) {
    rows += "    {" + std::to_string(lesson.menu) + ", " + (lesson.board ? "true" : "false") + ", " +
            constants.of(lesson.set) + ", " + constants.of(lesson.title) + ", " +
            constants.of(lesson.first_box) + ", " + constants.of(lesson.introduction) + "},\n";
  }
  return "// The lessons the menus open, written by lessontable from " + source_name +
         "; edit that file, not this one.\n"
         "#include \"lesson_table.h\"\n\n"
         "namespace {\n\n" +
         constants.definitions() +
         "\n}  // namespace\n\n"
         "namespace loquat {\n\n"
         "extern const Lesson kLessons[] = {\n" +
         rows +
         "};\n"
         "extern const int32_t kLessonCount = " +
         std::to_string(plan.lessons.size()) +
         ";\n\n"
         "}  // namespace loquat\n";
}

}  // namespace lessontable
