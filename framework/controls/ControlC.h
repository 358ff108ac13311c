// The state every control shares: the bound command (the control observes
// it from binding until destruction), caption, display and style words,
// width, image reference, tooltip, parameter, hot-key text and the layout
// element. Kind classes (ControlKinds.h) add what is particular to them.
//
// Lives on the browser window's thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "framework/command/CommandObserverI.h"
#include "framework/controls/ControlI.h"

namespace framework {

class ControlC : public ControlI, public CommandObserverI {
 public:
  static constexpr int kDefaultRowHeight = 22;

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
  bool CreateAsMenuItem(ToolBandI* toolband, ControlC* parentMenu, int position,
                        int id) override;
  bool CreateOnToolbar(ToolBandI* toolband, int id) override;
  ControlI* FindById(int id) override;
  void Execute() override;
  void HandParameterToCommand() override;
  int Width() const override;
  int RowHeight() const override;
  bool IsAutoSize() const override;
  std::string DisplayText() override;
  std::string TooltipText() const override;
  std::uint32_t MaskColour() const override;
  int ImageResourceId() const override;
  std::string ImageFileName() const override;
  std::uint32_t StyleWord() const override;
  std::uint32_t DisplayWord() const override;
  int ControlId() const override;
  int ImageIndex() const override;

  // Controls without a window yet have nothing to refresh on the notices.
  void OnEnabledChanged() override {}
  void OnImageChanged() override {}
  void OnTooltipNotice() override {}
  void OnTextChanged() override {}
  void OnSelectionChanged() override {}
  void OnCheckedChanged() override {}

  const std::string& Caption() const { return caption_; }
  const std::string& ParameterText() const { return parameter_; }
  const std::string& HotKeyText() const { return hotKeyText_; }
  int Top() const { return top_; }
  ToolBandI* ToolBand() const { return toolband_; }
  ControlC* ParentMenu() const { return parentMenu_; }

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
  std::string caption_;
  std::string tooltip_;
  std::string imageFileName_;
  std::string parameter_;
};

}  // namespace framework
