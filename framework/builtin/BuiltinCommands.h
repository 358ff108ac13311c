// The framework's own commands, so a layout can navigate, run scripts, find
// and highlight text, open HTML dialogs and start programs without product
// code. A default instance of each is registered in every tab under its
// built-in name; a layout element with an `id` gets an instance of its own.
//
// Every built-in command starts enabled: a control bound to a disabled
// command is greyed out, and these commands have nothing to wait for.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "framework/command/CommandWithEventsC.h"
#include "framework/command/HostData.h"

namespace framework {

class CommandContainerI;
class PageSearchCursor;
class ToolBandI;

inline constexpr std::string_view kToolbarLayoutCommandName = "ToolBand.ToolbarLayout";
inline constexpr std::string_view kNopCommandName = "ToolBand.Nop";

// The layout dialog: lets the user switch top-level items on and off.
class ToolbarLayoutCmdC : public CommandC {
 public:
  ToolbarLayoutCmdC(ToolBandI* toolband, CommandContainerI* context, HostData hostWindow);
  ToolBandI* ToolBand() const { return toolband_; }
  CommandContainerI* TabContext() const { return context_; }
  HostData HostWindow() const { return hostWindow_; }
  // Shows the layout dialog, then shows or hides the controls as saved.
  void OnExecute() override;

 private:
  ToolBandI* toolband_;
  CommandContainerI* context_;
  HostData hostWindow_;
};

// Does nothing: the command of controls that only show something.
class NopCmdC : public CommandC {
 public:
  explicit NopCmdC(std::string name);
};

// Navigates the browser to `url` (else `parameter`), optionally into the
// frame `target`.
class NavigateCmdC : public CommandC {
 public:
  explicit NavigateCmdC(std::string name);
  void Execute(ControlI* control) override;
  void ExecuteWithText(const std::string& text, ControlI* control) override;
};

// Runs a script in the page, in the language this command was made for.
class ScriptCmdC : public CommandC {
 public:
  ScriptCmdC(std::string name, std::string languageName);
  const std::string& LanguageName() const { return languageName_; }
  void Execute(ControlI* control) override;
  void ExecuteWithText(const std::string& text, ControlI* control) override;

 private:
  std::string languageName_;
};

class JavaScriptCmdC : public ScriptCmdC {
 public:
  explicit JavaScriptCmdC(std::string name);
};

class VBScriptCmdC : public ScriptCmdC {
 public:
  explicit VBScriptCmdC(std::string name);
};

// Opens a page next to the layout as a modal HTML dialog.
class DialogCmdC : public CommandC {
 public:
  explicit DialogCmdC(std::string name);
  void Execute(ControlI* control) override;
  void ExecuteWithText(const std::string& text, ControlI* control) override;
};

// Finds the next occurrence of a pattern in the page, frames included.
// Each execution selects the next match after the previous one, wrapping
// around the page once; a new pattern or a new page starts over.
class FindCmdC : public CommandWithEventsC {
 public:
  explicit FindCmdC(std::string name, bool backwards = false);
  ~FindCmdC() override;
  bool SearchesBackwards() const { return backwards_; }
  bool HasSearchCursor() const { return cursor_ != nullptr; }

  void Execute(ControlI* control) override;
  void ExecuteWithText(const std::string& text, ControlI* control) override;

 protected:
  // A new page drops the cursor.
  void OnBrowserEvent(DISPID id) override;

 private:
  bool backwards_;
  std::string lastPattern_;
  std::unique_ptr<PageSearchCursor> cursor_;
};

class FindPreviousCmdC : public FindCmdC {
 public:
  explicit FindPreviousCmdC(std::string name);
};

// A toggle: checked marks every match of the pattern in the page (frames
// included) with a coloured span of this instance, unchecked removes
// exactly those spans.
class HighlightCmdC : public CommandWithEventsC {
 public:
  explicit HighlightCmdC(std::string name);
  // The id every span of this instance carries.
  std::string MarkerId() const;

  void Execute(ControlI* control) override;
  void ExecuteWithText(const std::string& text, ControlI* control) override;

 protected:
  // A new page unchecks the command: the spans it marked are gone.
  void OnBrowserEvent(DISPID id) override;
};

// Starts the program named by the parameter through the elevation broker.
class ShellExecuteCmdC : public CommandC {
 public:
  explicit ShellExecuteCmdC(std::string name);
  void ExecuteWithParameter(const std::string& parameter) override;
  // What the broker answered for the last start; -1 before any.
  int LastExitCode() const { return lastExitCode_; }

 private:
  int lastExitCode_ = -1;
};

// A new instance of the built-in command `builtinName` registered as
// `instanceName`; null for names that are not instantiable built-ins (the
// layout dialog command has one instance per tab and is not among them).
std::unique_ptr<CommandC> CreateBuiltinCommand(std::string_view builtinName,
                                               std::string instanceName);

}  // namespace framework
