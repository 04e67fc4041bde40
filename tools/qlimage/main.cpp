// The qlimage program: runs the command its arguments name.
#include <iostream>
#include <string>
#include <vector>

#include "qlimage/commands.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return qlimage::run_command(args, std::cout, std::cerr);
}
