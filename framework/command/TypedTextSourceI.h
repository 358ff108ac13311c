// A control whose window holds text the user is typing for a command: the
// command reads the text from it when somebody asks (CommandC::FollowTypedText).
#pragma once

#include <string>

namespace framework {

class TypedTextSourceI {
 public:
  // What the window shows now, in the ANSI code page.
  virtual std::string TypedText() const = 0;

 protected:
  ~TypedTextSourceI() = default;
};

}  // namespace framework
