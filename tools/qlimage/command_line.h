// Options and operands of one qlimage command.
#pragma once

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qlimage {

struct Arguments {
  std::map<std::string, std::string, std::less<>> options;                // option -> value
  std::map<std::string, std::vector<std::string>, std::less<>> repeated;  // repeatable option -> values
  std::vector<std::string> operands;
  bool help = false;

  const std::string* option(std::string_view name) const;
};

// Every option takes a value ("--entry main" or "--entry=main"); "--help" and "-h" ask for help. Unknown
// options, missing values and options given twice are errors, except for the repeatable ones.
std::optional<Arguments> parse_arguments(const std::vector<std::string>& args,
                                         std::initializer_list<std::string_view> options, std::string& error,
                                         std::initializer_list<std::string_view> repeatable = {});

}  // namespace qlimage
