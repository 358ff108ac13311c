// vimaru-tool: inspects the product's pieces for the people who debug it.
// Each subcommand lives in its own file and is listed once in
// ToolCommandLine.cpp; its JSON output is part of the product's documented
// interface.
#include <iostream>
#include <string_view>
#include <vector>

#include "tools/inspect/ToolCommandLine.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  return tools::RunToolCommandLine(tools::ToolSubcommands(), arguments, std::cout, std::cerr);
}
