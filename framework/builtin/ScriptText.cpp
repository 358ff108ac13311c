#include "framework/builtin/ScriptText.h"

namespace framework {

namespace {

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

bool IsCommentLine(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t");
  return first != std::string_view::npos && line[first] == '\'';
}

std::string WithoutCommentLines(std::string_view code) {
  std::string kept;
  bool firstLine = true;
  while (!code.empty()) {
    const std::size_t end = code.find('\n');
    const std::size_t length = end == std::string_view::npos ? code.size() : end + 1;
    std::string_view line = code.substr(0, length);
    if (firstLine || !IsCommentLine(line)) kept += line;
    firstLine = false;
    code.remove_prefix(length);
  }
  return kept;
}

}  // namespace

std::string_view EntryFunction(std::string_view script) {
  for (std::string_view entry : {kRunOnceEntry, kRunInAllFramesEntry, kMainEntry}) {
    if (script.find(entry) != std::string_view::npos) return entry;
  }
  return {};
}

std::string ScriptCode(std::string_view script, std::string_view entry, std::string_view language) {
  std::string code;
  if (!entry.empty()) {
    code = std::string(entry) + (language == "javascript" ? "();\n" : "\n");
  }
  code += script;
  return language == "VBScript" ? WithoutCommentLines(code) : code;
}

bool NamesScriptFile(std::string_view script) {
  return EndsWith(script, ".js") || EndsWith(script, ".vb") || EndsWith(script, ".vbs");
}

}  // namespace framework
