// What a control implements to follow the state of the command it is bound
// to. A command calls these after its state changed; the observer reads the
// new state back from the command, so the notices carry no values.
//
// Slot order (kept so the table reads like the command's own):
//   0 destructor, 1 OnEnabledChanged, 2 OnImageChanged, 3 OnTooltipNotice,
//   4 OnTextChanged, 5 OnSelectionChanged, 6 OnCheckedChanged.
#pragma once

namespace framework {

class CommandObserverI {
 public:
  virtual ~CommandObserverI() = default;
  virtual void OnEnabledChanged() = 0;
  virtual void OnImageChanged() = 0;
  // No setter of the command sends this one; commands raise it themselves
  // when a control should re-read its tooltip.
  virtual void OnTooltipNotice() = 0;
  virtual void OnTextChanged() = 0;
  // The item list or the selected index changed (combo boxes rebuild here).
  virtual void OnSelectionChanged() = 0;
  virtual void OnCheckedChanged() = 0;
};

}  // namespace framework
