// The toolband: the toolbar that stands in the browser's rebar, one per
// browser window. It owns the control tree the layout built, inserts a
// toolbar button for every control that is switched on, places the windows
// of the controls that have one (labels, edit fields, combo boxes) over
// their buttons, keeps the image lists, and carries clicks, drop-downs and
// hot keys back to the controls.
//
// Its window is the toolbar control itself, created as a child of the
// host's window; the host's rebar is that window's parent.
//
// Lives on the browser window's thread.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/command/HostData.h"
#include "framework/toolband/GdiOwners.h"
#include "framework/toolband/RebarHook.h"
#include "framework/toolband/ToolBandI.h"
#include "framework/toolband/ToolBandImages.h"
#include "framework/toolband/ToolBandReflectionC.h"
#include "platform/browser/WebBrowser.h"
#include "platform/com/ComPtr.h"
#include "platform/threading/ThreadChecker.h"
#include "platform/ui/CommCtrl.h"
#include "platform/ui/Window.h"

namespace framework {

class ToolBandC : public ToolBandI, public ControlCollectionI {
 public:
  static constexpr DWORD kToolbarStyle = 0x5401994D;
  static constexpr DWORD kToolbarExtendedStyle = TBSTYLE_EX_DRAWDDARROWS | TBSTYLE_EX_MIXEDBUTTONS;
  // Every control other than a separator counts at least this wide when
  // the auto-size controls share the free room.
  static constexpr int kMinimumCountedWidth = 10;
  // A button whose caption shows hands its control this much more than its
  // own width.
  static constexpr int kCaptionWidthAllowance = 20;

  ToolBandC(platform::ComPtr<IWebBrowser2> browser, HostData hostData);
  ~ToolBandC() override;
  ToolBandC(const ToolBandC&) = delete;
  ToolBandC& operator=(const ToolBandC&) = delete;

  // Creates the toolbar window as a child of `parent` (may be null for a
  // toolbar outside any browser), hooks the rebar above it and creates the
  // reflection window.
  bool Create(HWND parent);

  // ControlCollectionI
  void AddControl(std::unique_ptr<ControlI> control) override;
  const std::vector<std::unique_ptr<ControlI>>& Controls() const override;

  // ToolBandI
  ControlCollectionI& TopLevelControls() override;
  void RemoveAllControls() override;
  void ShowControl(int index, bool show) override;
  const std::string& BaseDirectory() const override;
  void SetBaseDirectory(std::string directory) override;
  const std::string& Name() const override;
  void SetName(std::string name) override;
  const std::string& Company() const override;
  void SetCompany(std::string company) override;
  const std::shared_ptr<platform::XmlDocument>& LayoutDocument() const override;
  void SetLayoutDocument(std::shared_ptr<platform::XmlDocument> document) override;
  void PresentForFirstTime(const std::string& bandClassIdText) override;
  HWND ToolbarWindow() const override;
  HFONT Font() const override;
  void LayoutControls() override;
  void ControlFocusGained(ControlI* control) override;
  void ControlFocusLost(ControlI* control) override;
  void GiveFocusBack() override;
  int AddControlImage(ControlI& control) override;
  int NewControlId() override;

  // Shares the free width among the auto-size controls. `width` 0 takes
  // the toolbar's client width.
  void AutoSize(int width);
  // Offers the key to the top-level controls in order; true when one took it.
  bool DispatchHotKey(bool alt, bool ctrl, bool shift, int key);
  // The control that took the last key offered, or null when none did.
  ControlI* LastHotKeyTaker() const { return lastHotKeyTaker_; }
  // The control (at any depth) that owns a button or menu item id, or null.
  ControlI* FindControl(int id) const;
  // The control that has the keyboard focus, or null.
  ControlI* FocusedControl() const { return focused_; }

  // From the reflection window: a toolbar button was clicked, or the
  // toolbar asks or tells something.
  void OnButtonCommand(int id);
  LRESULT OnToolbarNotify(const NMHDR& header);

  // The band class id text of the last first-run presentation, empty before.
  const std::string& PresentedBandClassIdText() const { return presentedBandClassIdText_; }
  HWND ReflectionWindow() const { return reflection_.Window(); }
  HWND HookedRebar() const { return rebarHook_.Rebar(); }

 private:
  static LRESULT CALLBACK ToolbarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
  // Puts the control's images into the image lists once, when it arrives.
  void LoadImages(ControlI& control);
  void InsertButton(ControlI& control, int index);
  // The toolbar index for the n-th top-level control: how many controls
  // before it are switched on.
  int VisiblePosition(int index) const;
  // The first menu shown as just an image draws on a small toolbar of its
  // own laid over its button.
  int CreateLeadingMenuToolbar(ControlI& control);
  void OpenMenuOf(ControlI& control, const RECT& buttonRect);
  int NaturalButtonWidth(int id);
  void SetButtonWidth(int id, int width);

  platform::ComPtr<IWebBrowser2> browser_;
  HostData hostData_;
  std::vector<std::unique_ptr<ControlI>> controls_;
  std::string baseDirectory_;
  std::string name_;
  std::string company_;
  std::shared_ptr<platform::XmlDocument> layoutDocument_;
  std::string presentedBandClassIdText_;

  platform::ui::UniqueWindow toolbar_;
  UniqueFont font_;
  ToolBandImages images_;
  ToolBandReflectionC reflection_{*this};
  RebarHook rebarHook_;
  platform::ui::UniqueWindow leadingMenuToolbar_;
  UniqueImageList leadingMenuImages_;
  ControlI* focused_ = nullptr;
  ControlI* lastHotKeyTaker_ = nullptr;
  int nextControlId_ = 1;
  bool sizePosted_ = false;
  bool layingOut_ = false;
  THREAD_CHECKER(threadChecker_);
};

}  // namespace framework
