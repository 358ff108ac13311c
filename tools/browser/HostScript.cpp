#include "tools/browser/HostScript.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "tools/browser/KeyChord.h"

namespace browserhost {
namespace {

// Scripts are written by people; a line this long is a mistake, not a step.
constexpr std::size_t kMaximumLineLength = 64 * 1024;
constexpr int kMaximumWait = 24 * 60 * 60 * 1000;

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

// The line without its comment; a `#` inside double quotes is text.
std::string_view WithoutComment(std::string_view line) {
  bool quoted = false;
  for (std::size_t at = 0; at < line.size(); ++at) {
    if (line[at] == '"') quoted = !quoted;
    if (line[at] == '#' && !quoted) return line.substr(0, at);
  }
  return line;
}

// Blank-separated words; double quotes group blanks into one word and are
// dropped. nullopt for an unclosed quote.
std::optional<std::vector<std::string>> Words(std::string_view text) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    if (at == text.size()) break;
    std::string word;
    bool quoted = false;
    while (at < text.size() && (quoted || (text[at] != ' ' && text[at] != '\t'))) {
      if (text[at] == '"') {
        quoted = !quoted;
      } else {
        word.push_back(text[at]);
      }
      ++at;
    }
    if (quoted) return std::nullopt;
    words.push_back(std::move(word));
  }
  return words;
}

std::optional<int> Number(std::string_view text, int minimum, int maximum) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < minimum || value > maximum) return std::nullopt;
  return value;
}

struct Parsed {
  std::optional<StepAction> action;
  std::string problem;
};

Parsed Fail(std::string problem) { return {std::nullopt, std::move(problem)}; }

Parsed ParseLoginDialog(const std::vector<std::string>& words) {
  if (words.size() != 8 || words[1] != "login") {
    return Fail("dialog takes: login EMAIL PASSWORD QUESTION ANSWER keep|nokeep ok|cancel");
  }
  LoginDialogStep step;
  step.email = words[2];
  step.password = words[3];
  const std::optional<int> question = Number(words[4], 0, 8);
  if (!question) return Fail("the question is its list position, 1 to 8, or 0 for none");
  step.question = *question;
  step.answer = words[5];
  if (words[6] != "keep" && words[6] != "nokeep") return Fail("expected keep or nokeep");
  step.keepLoggedIn = words[6] == "keep";
  if (words[7] != "ok" && words[7] != "cancel") return Fail("expected ok or cancel");
  step.confirm = words[7] == "ok";
  return {step, {}};
}

Parsed ParseStep(std::string_view text) {
  const std::size_t verbEnd = text.find_first_of(" \t");
  const std::string_view verb = text.substr(0, verbEnd);
  const std::string_view rest =
      verbEnd == std::string_view::npos ? std::string_view() : Trim(text.substr(verbEnd));
  // Both take the rest of the line as written, quotes and all.
  if (verb == "click") {
    if (rest.empty()) return Fail("click takes a control's name, or MENU > ITEM");
    std::size_t arrow = rest.find(" > ");
    if (arrow == std::string_view::npos && rest.ends_with(" >")) arrow = rest.size() - 2;
    if (arrow == std::string_view::npos) return {ClickStep{std::string(rest), std::nullopt}, {}};
    const std::string_view menu = Trim(rest.substr(0, arrow));
    const std::string_view item = Trim(rest.substr(std::min(arrow + 3, rest.size())));
    if (menu.empty() || item.empty()) return Fail("click MENU > ITEM needs both names");
    return {ClickStep{std::string(menu), std::string(item)}, {}};
  }
  if (verb == "type") {
    if (rest.empty()) return Fail("type takes the text to type");
    // Quotes let a text hold a `#` or its own outer blanks.
    if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"') {
      return {TypeStep{std::string(rest.substr(1, rest.size() - 2))}, {}};
    }
    return {TypeStep{std::string(rest)}, {}};
  }
  const std::optional<std::vector<std::string>> words = Words(text);
  if (!words) return Fail("a double quote is not closed");
  const std::size_t arguments = words->size() - 1;

  if (verb == "register" || verb == "unregister") {
    if (arguments != 0) return Fail(std::string(verb) + " takes nothing");
    return {RegisterStep{verb == "unregister"}, {}};
  }
  if (verb == "open" || verb == "navigate") {
    if (arguments != 1) return Fail(std::string(verb) + " takes one URL");
    return {OpenStep{(*words)[1], verb == "open"}, {}};
  }
  if (verb == "window") {
    const std::optional<int> number = arguments == 1 ? Number((*words)[1], 1, 1000) : std::nullopt;
    if (!number) return Fail("window takes a window's number, from 1");
    return {WindowStep{*number}, {}};
  }
  if (verb == "close" || verb == "state") {
    if (arguments != 0) return Fail(std::string(verb) + " takes nothing");
    if (verb == "close") return {CloseStep{}, {}};
    return {StateStep{}, {}};
  }
  if (verb == "key") {
    if (arguments != 1) return Fail("key takes one key, such as Enter or Ctrl+Shift+F5");
    if (!ParseKeyChord((*words)[1])) return Fail("unknown key " + (*words)[1]);
    return {KeyStep{(*words)[1]}, {}};
  }
  if (verb == "dialog") return ParseLoginDialog(*words);
  if (verb == "wait") {
    const std::optional<int> ms =
        arguments == 1 ? Number((*words)[1], 0, kMaximumWait) : std::nullopt;
    if (!ms) return Fail("wait takes milliseconds, 0 to " + std::to_string(kMaximumWait));
    return {WaitStep{*ms}, {}};
  }
  if (verb == "picture") {
    if (arguments != 1 || (*words)[1].find_first_of("/\\") != std::string::npos ||
        (*words)[1] == "." || (*words)[1] == "..") {
      return Fail("picture takes a file name without a directory");
    }
    return {PictureStep{(*words)[1]}, {}};
  }
  return Fail("unknown step '" + std::string(verb) + "'");
}

}  // namespace

ParsedScript ParseHostScript(std::istream& script) {
  ParsedScript parsed;
  std::string line;
  int number = 0;
  while (std::getline(script, line)) {
    ++number;
    if (line.size() > kMaximumLineLength) {
      parsed.error = ScriptError{number, "the line is longer than 65536 bytes"};
      return parsed;
    }
    const std::string_view text = Trim(WithoutComment(line));
    if (text.empty()) continue;
    Parsed step = ParseStep(text);
    if (!step.action) {
      parsed.error = ScriptError{number, std::move(step.problem)};
      return parsed;
    }
    parsed.steps.push_back(ScriptStep{number, std::string(text), std::move(*step.action)});
  }
  return parsed;
}

}  // namespace browserhost
