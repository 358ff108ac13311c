// The browser host's script: one step per line, `#` to the end of a line a
// comment, blank lines skipped. Parsing checks every line before anything
// runs, so a bad line stops the run with its number and nothing done.
//
//   register | unregister
//   open URL | navigate URL | window N | close
//   click NAME | click MENU > ITEM
//   type TEXT | key KEYS
//   dialog login EMAIL PASSWORD QUESTION ANSWER keep|nokeep ok|cancel
//   wait MS | state | picture NAME
//
// Arguments are words separated by blanks; a word in double quotes may hold
// blanks. `type` takes the rest of its line as typed, `click` the rest as a
// name (or MENU > ITEM).
#pragma once

#include <istream>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace browserhost {

struct RegisterStep {
  bool unregister = false;
};
struct OpenStep {
  std::string url;
  bool newWindow = true;  // false: navigate the current window
};
struct WindowStep {
  int number = 0;  // 1-based, in opening order
};
struct CloseStep {};
struct ClickStep {
  std::string name;                 // a control's command or trimmed caption
  std::optional<std::string> item;  // set: choose this item of NAME's drop-down
};
struct TypeStep {
  std::string text;  // UTF-8
};
struct KeyStep {
  std::string keys;  // "Enter", "Down", "Ctrl+Shift+F5"
};
struct LoginDialogStep {
  std::string email;
  std::string password;
  int question = 0;  // 1 to 8, the list position; 0 for none chosen
  std::string answer;
  bool keepLoggedIn = false;
  bool confirm = true;  // false: the close box
};
struct WaitStep {
  int milliseconds = 0;
};
struct StateStep {};
struct PictureStep {
  std::string name;
};

using StepAction = std::variant<RegisterStep, OpenStep, WindowStep, CloseStep, ClickStep, TypeStep,
                                KeyStep, LoginDialogStep, WaitStep, StateStep, PictureStep>;

struct ScriptStep {
  int line = 0;
  std::string text;  // the line as written, comment and outer blanks removed
  StepAction action;
};

struct ScriptError {
  int line = 0;
  std::string message;
};

struct ParsedScript {
  std::vector<ScriptStep> steps;
  std::optional<ScriptError> error;  // set: `steps` holds the lines before it
};

ParsedScript ParseHostScript(std::istream& script);

}  // namespace browserhost
