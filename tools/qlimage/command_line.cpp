// Parsing the options and operands of one qlimage command.
#include "qlimage/command_line.h"

namespace qlimage {

const std::string* Arguments::option(std::string_view name) const {
  auto it = options.find(name);
  return it == options.end() ? nullptr : &it->second;
}

std::optional<Arguments> parse_arguments(const std::vector<std::string>& args,
                                         std::initializer_list<std::string_view> options,
                                         std::string& error) {
  Arguments parsed;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      parsed.help = true;
      continue;
    }
    if (arg.size() < 2 || arg[0] != '-') {
      parsed.operands.push_back(arg);
      continue;
    }
    std::string name = arg.substr(0, arg.find('='));
    bool known = false;
    for (std::string_view option : options) known = known || option == name;
    if (!known) {
      error = "unknown option '" + name + "'";
      return std::nullopt;
    }
    std::string value;
    if (name.size() < arg.size()) {
      value = arg.substr(name.size() + 1);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      error = "option '" + name + "' needs a value";
      return std::nullopt;
    }
    if (!parsed.options.emplace(name, value).second) {
      error = "option '" + name + "' is given twice";
      return std::nullopt;
    }
  }
  return parsed;
}

}  // namespace qlimage
