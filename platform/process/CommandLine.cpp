#include "platform/process/CommandLine.h"

namespace platform {

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  std::vector<std::string> arguments;
  std::size_t i = 0;
  for (;;) {
    while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t')) ++i;
    if (i == commandLine.size()) return arguments;
    std::string argument;
    bool quoted = false;
    for (; i < commandLine.size(); ++i) {
      const char c = commandLine[i];
      if (!quoted && (c == ' ' || c == '\t')) break;
      if (c == '\\') {
        std::size_t slashes = 0;
        while (i < commandLine.size() && commandLine[i] == '\\') {
          ++slashes;
          ++i;
        }
        if (i < commandLine.size() && commandLine[i] == '"') {
          argument.append(slashes / 2, '\\');
          if (slashes % 2 == 1) {
            argument += '"';
            continue;
          }
          quoted = !quoted;
        } else {
          argument.append(slashes, '\\');
          --i;
        }
        continue;
      }
      if (c == '"') {
        quoted = !quoted;
        continue;
      }
      argument += c;
    }
    arguments.push_back(std::move(argument));
  }
}

}  // namespace platform
