// Entry point of lessontable.
#include <iostream>
#include <string>
#include <vector>

#include "lessontable/commands.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return lessontable::run_command(args, std::cout, std::cerr);
}
