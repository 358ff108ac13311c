// Shared by the toolband and control tests: a toolbar built from a layout
// text inside a stand-in rebar, with recording commands registered before
// the built-in ones, and a look at the toolbar's buttons.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "framework/command/CommandC.h"
#include "framework/layout/LayoutTestSupport.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/CommCtrl.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Toolbar.h"
#include "platform/ui/Window.h"

namespace framework::testing {

// Writes every execution into a shared log: "Name" for a click,
// "Name:text" for a chosen text.
class RecordingCommand : public CommandC {
 public:
  RecordingCommand(std::string name, std::vector<std::string>& log)
      : CommandC(std::move(name)), log_(log) {
    SetEnabled(true);
  }
  void OnExecute() override { log_.push_back(Name()); }
  void OnExecuteWithText(const std::string& text) override { log_.push_back(Name() + ":" + text); }
  void OnFocusLost() override { log_.push_back(Name() + " focus lost"); }

 private:
  std::vector<std::string>& log_;
};

// Runs `call` on a thread of its own while this thread keeps handling its
// messages, as the browser's thread would: a call that reached this thread's
// windows from the other thread then completes instead of waiting forever.
template <class Call>
void OnOtherThreadWhilePumping(Call call) {
  const DWORD self = GetCurrentThreadId();
  constexpr UINT kDone = WM_APP;
  std::thread other([&] {
    call();
    PostThreadMessageW(self, kDone, 0, 0);
  });
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0 && message.message != kDone) {
    DispatchMessageW(&message);
  }
  other.join();
}

// Presses `key` with the modifiers held and lets the thread handle it while
// they are still down, as the keyboard hook reads their state then.
inline void HoldAndPress(std::initializer_list<int> modifiers, int key) {
  for (int modifier : modifiers) platform::ui::KeyDown(modifier);
  platform::ui::KeyDown(key);
  platform::ui::RunUntilIdle();
  platform::ui::KeyUp(key);
  for (int modifier : modifiers) platform::ui::KeyUp(modifier);
  platform::ui::RunUntilIdle();
}

// A 24-bit bitmap file: a red square on the toolbar's mask colour.
inline void WriteTestBitmap(const std::string& path, int width, int height) {
  const int rowBytes = (width * 3 + 3) & ~3;
  const int imageBytes = rowBytes * height;
  std::string bytes(54 + static_cast<std::size_t>(imageBytes), '\0');
  auto put = [&](std::size_t at, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i)
      bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
  };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put(2, static_cast<std::uint32_t>(bytes.size()), 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, static_cast<std::uint32_t>(width), 4);
  put(22, static_cast<std::uint32_t>(height), 4);
  put(26, 1, 2);
  put(28, 24, 2);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool inside = x > 2 && x < width - 3 && y > 2 && y < height - 3;
      const std::uint32_t bgr = inside ? 0x0000FF : 0xE2F0F0;  // bytes blue, green, red
      put(54 + static_cast<std::size_t>(y * rowBytes + x * 3), bgr, 3);
    }
  }
  ASSERT_TRUE(platform::WriteWholeFile(path, bytes));
}

class ToolBandTest : public LayoutTest {
 protected:
  void SetUp() override {
    LayoutTest::SetUp();
    platform::ui::ReleaseAllKeys();
    platform::ui::ClearMenuScript();
    rebar_.Reset(CreateWindowExW(0, REBARCLASSNAMEW, u"", WS_VISIBLE, 0, 0, 800, 60, nullptr,
                                 nullptr, nullptr, nullptr));
    WriteTestBitmap("C:\\Layouts\\icon.bmp", 16, 16);
    WriteTestBitmap("C:\\Layouts\\logo.bmp", 40, 16);
    bandSite_ = CreateWindowExW(0, WC_STATICW, u"", WS_CHILD | WS_VISIBLE, 0, 0, 800, 30,
                                rebar_.Get(), nullptr, nullptr, nullptr);
  }

  void TearDown() override {
    context_.reset();
    rebar_.Reset();
    platform::ui::ReleaseAllKeys();
  }

  // Builds the toolbar; `commands` are registered as recording commands.
  ToolBandC* BuildToolbar(const std::string& items, const std::vector<std::string>& commands = {}) {
    EXPECT_TRUE(platform::WriteWholeFile(kLayoutPath, Layout(items)));
    context_ = std::make_unique<StandaloneTabContextC>(kLayoutPath);
    for (const std::string& name : commands) {
      context_->OwnCommands().Add(std::make_unique<RecordingCommand>(name, executed_));
    }
    ToolBandC* toolband = context_->Create(bandSite_);
    platform::ui::RunUntilIdle();
    return toolband;
  }

  CommandC& Command(const std::string& name) {
    return *static_cast<CommandC*>(context_->FindCommand(name));
  }

  ToolBandC& Band() { return *context_->ToolBand(); }
  HWND Toolbar() { return Band().ToolbarWindow(); }

  std::vector<platform::ui::ToolbarButtonView> Buttons() {
    return platform::ui::InspectToolbar(Toolbar()).value().buttons;
  }

  // The ids of the toolbar's buttons, left to right.
  std::vector<int> ButtonIds() {
    std::vector<int> ids;
    for (const auto& button : Buttons()) ids.push_back(button.id);
    return ids;
  }

  platform::ui::UniqueWindow rebar_;
  HWND bandSite_ = nullptr;
  std::vector<std::string> executed_;
};

}  // namespace framework::testing
