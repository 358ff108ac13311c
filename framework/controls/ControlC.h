// The state every control shares: the bound command (the control observes
// it from binding until destruction), caption, display and style words,
// width, image reference, tooltip, parameter, hot key and the layout
// element; and the answers a control gives the toolband before its kind
// says more. Kind classes (ControlKinds.h, combobox/) add what is
// particular to them.
//
// Lives on the browser window's thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "framework/command/CommandObserverI.h"
#include "framework/controls/ControlI.h"
#include "framework/controls/HotKey.h"
#include "platform/threading/ThreadChecker.h"
#include "platform/ui/WindowMessages.h"

namespace framework {

class ControlC : public ControlI, public CommandObserverI {
 public:
  static constexpr int kDefaultRowHeight = 22;
  // The widest a control is, in pixels. Widths come from layout files, which
  // are outside input, and from caption texts; the toolbar's coordinates are
  // 16-bit on Windows, so nothing wider can be shown, and keeping every
  // width within it keeps the sums and edges the toolband computes from
  // overflowing. A width below zero is no width.
  static constexpr int kMaximumWidth = 32767;

  // Binds to `command` (may be null: separators have none).
  ControlC(CommandI* command, std::string caption);
  ~ControlC() override;
  ControlC(const ControlC&) = delete;
  ControlC& operator=(const ControlC&) = delete;

  ControlC* AsControl() override;
  void SetDisplayWord(std::uint32_t displayWord) override;
  void SetStyleBits(std::uint32_t bits) override;
  void SetWidth(int width) override;
  void SetRowHeight(int height) override;
  void SetImageResourceId(int resourceId) override;
  void SetImageIndex(int index) override;
  void SetImageFileName(const std::string& fileName) override;
  void SetTooltipText(const std::string& text) override;
  void SetParameterText(const std::string& text) override;
  void SetHotKey(const std::string& text) override;
  void SetElement(const platform::XmlElement& element) override;
  CommandI* Command() const override;
  const platform::XmlElement* Element() const override;
  void SetTop(int top) override;
  bool CreateAsMenuItem(ToolBandI* toolband, ControlC* parentMenu, int position, int id) override;
  bool CreateOnToolbar(ToolBandI* toolband, int id) override;
  bool CreateControlWindow(HWND parent, int id) override;
  void Place(int x, int width) override;
  ControlI* FindById(int id) override;
  void Execute() override;
  void UpdateVisibility() override;
  void HandParameterToCommand() override;
  int HandleHotKey(bool alt, bool ctrl, bool shift, int key) override;
  bool Activate() override;
  int Width() const override;
  int RowHeight() const override;
  bool IsAutoSize() const override;
  std::string DisplayText() override;
  std::string TooltipText() const override;
  const platform::Bitmap* Bitmap() override;
  std::uint32_t MaskColour() const override;
  int ImageResourceId() const override;
  std::string ImageFileName() const override;
  std::uint32_t StyleWord() const override;
  std::uint32_t DisplayWord() const override;
  int ControlId() const override;
  bool HasMnemonic() override;
  char Mnemonic() override;
  int ImageIndex() const override;
  bool IsSeparator() const override;
  bool HasFocus() const override;
  bool HasOwnWindow() const override;

  // Controls without a window have nothing to refresh on the notices.
  void OnEnabledChanged() override {}
  void OnImageChanged() override {}
  void OnTooltipNotice() override {}
  void OnTextChanged() override {}
  void OnSelectionChanged() override {}
  void OnCheckedChanged() override {}

  // Inside a menu: the kinds that can stand in a popup menu add their item
  // there (position -1 appends) and measure and draw it when it is
  // owner-drawn. The others add nothing.
  virtual void AddToMenu(HMENU menu, int position);
  virtual void MeasureMenuItem(MEASUREITEMSTRUCT& measure);
  virtual void DrawMenuItem(const DRAWITEMSTRUCT& draw);
  // A menu control's popup menu while it is open (null otherwise, and for
  // every other kind); its items change their entries in it.
  virtual HMENU PopupMenu() const { return nullptr; }
  // Messages of the control's own window that reach the toolbar:
  // WM_COMMAND notifications, owner-drawing of its items.
  virtual void OnWindowCommand(WORD notification);
  virtual void OnWindowDrawItem(const DRAWITEMSTRUCT& draw);
  virtual void OnWindowMeasureItem(MEASUREITEMSTRUCT& measure);

  const std::string& Caption() const { return caption_; }
  const std::string& ParameterText() const { return parameter_; }
  const std::string& HotKeyText() const { return hotKeyText_; }
  const framework::HotKey& ParsedHotKey() const { return hotKey_; }
  int Top() const { return top_; }
  ToolBandI* ToolBand() const { return toolband_; }
  ControlC* ParentMenu() const { return parentMenu_; }
  // The control's rectangle on the toolbar, as the toolband last placed it.
  const RECT& ToolbarRect() const { return toolbarRect_; }
  void SetToolbarRect(const RECT& rect) { toolbarRect_ = rect; }

 protected:
  // The display word says the caption is shown.
  bool CaptionShown() const;
  // Lays the toolband out again once the control stands on it.
  void RequestLayout();

  // The kinds check their own entry points (the command's notices) on it.
  THREAD_CHECKER(threadChecker_);

 private:
  CommandI* command_;
  ToolBandI* toolband_ = nullptr;
  ControlC* parentMenu_ = nullptr;
  int controlId_ = 0;
  std::uint32_t displayWord_ = 0;
  std::uint32_t styleWord_;
  int top_ = 0;
  int width_ = 0;
  int rowHeight_ = kDefaultRowHeight;
  int imageResourceId_ = 0;
  int imageIndex_ = -1;
  std::optional<platform::XmlElement> element_;
  std::string hotKeyText_;
  framework::HotKey hotKey_;
  std::string caption_;
  std::string tooltip_;
  std::string imageFileName_;
  std::string parameter_;
  std::optional<platform::Bitmap> ownBitmap_;
  bool ownBitmapLoaded_ = false;
  RECT toolbarRect_{};
};

}  // namespace framework
