#include "tools/browser/BrowserHost.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <set>
#include <stdexcept>
#include <utility>

#include "commands/login/CDialogLogin.h"
#include "commands/search/SearchHistoryFile.h"
#include "platform/automation/Bstr.h"
#include "platform/browser/ControlHost.h"
#include "platform/browser/ShellInterfaces.h"
#include "platform/files/FileSystem.h"
#include "platform/process/ProcessStarts.h"
#include "platform/registry/RegistryKey.h"
#include "platform/text/CodePage.h"
#include "platform/threading/WorkerThread.h"
#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/SvgRender.h"
#include "platform/ui/Window.h"
#include "platform/ui/WorkerPump.h"
#include "session/categories/CategoryCacheFile.h"
#include "session/settings/ProductSettings.h"
#include "tools/browser/KeyChord.h"
#include "tools/browser/Pictures.h"
#include "tools/browser/ToolbarView.h"
#include "tools/inspect/DocumentBody.h"
#include "tools/inspect/ToolbarUser.h"
#include "tools/refservice/ProductEnvironment.h"
#include "tools/refservice/ReferenceService.h"
#include "tools/regsvr/RegsvrRoot.h"
#include "tools/regsvr/RegsvrRun.h"

namespace browserhost {
namespace {

// Some hour after the machine started: throttles that compare tick counts
// with a first value of 0 see a real first click.
constexpr std::uint64_t kStartTick = 3'600'000;
// Timers come due at their own times within a wait: the clock moves in
// steps this long, and every window catches up after each.
constexpr int kWaitSlice = 100;
// Workers bound their own waits on the product's clock; these only catch a
// hang in real time.
constexpr auto kWorkerGuard = std::chrono::seconds(60);
constexpr auto kSettleGuard = std::chrono::seconds(120);

constexpr const char* kSettingNames[] = {"MemberId", "SSO", "AutoLoggin", "HotIcon"};

std::string Narrow(const std::u16string& text) { return platform::WideToUtf8(text); }

// "http://HOST:PORT" with nothing after it but an optional '/'.
std::optional<std::string> ServiceBase(std::string url) {
  if (!url.empty() && url.back() == '/') url.pop_back();
  constexpr std::string_view kScheme = "http://";
  if (!url.starts_with(kScheme)) return std::nullopt;
  const std::string_view authority = std::string_view(url).substr(kScheme.size());
  const std::size_t colon = authority.rfind(':');
  if (authority.empty() || authority.find('/') != std::string_view::npos ||
      colon == std::string_view::npos || colon == 0 || colon + 1 == authority.size() ||
      authority.find_first_not_of("0123456789", colon + 1) != std::string_view::npos) {
    return std::nullopt;
  }
  return url;
}

// Scripts name the service's own pages by "{site}", since its port is
// chosen when it starts.
std::string WithSite(std::string url, std::string_view site) {
  constexpr std::string_view kSite = "{site}";
  for (std::size_t at = url.find(kSite); at != std::string::npos;
       at = url.find(kSite, at + site.size())) {
    url.replace(at, kSite.size(), site);
  }
  return url;
}

// The web-browser control a window, or a window below it, hosts.
platform::ComPtr<IWebBrowser2> HostedBrowser(HWND window) {
  platform::ComPtr<IUnknown> control;
  platform::ComPtr<IWebBrowser2> browser;
  if (SUCCEEDED(platform::AtlAxGetControl(window, control.ReleaseAndGetAddressOf())) &&
      SUCCEEDED(control.As(&browser))) {
    return browser;
  }
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (auto found = HostedBrowser(child)) return found;
  }
  return {};
}

// The explorer bar the product last asked the browser about, with its
// window.
HWND SidebarWindow(platform::BrowserObject& browser) {
  const auto& calls = browser.BrowserBarCalls();
  if (calls.empty()) return nullptr;
  platform::ComPtr<IUnknown> bar = browser.BrowserBar(calls.back().clsid);
  platform::ComPtr<IOleWindow> window;
  HWND handle = nullptr;
  if (!bar || FAILED(bar.As(&window)) || FAILED(window->GetWindow(&handle))) return nullptr;
  return handle;
}

framework::ToolBandC* ToolBandWith(HWND frame, std::string_view name,
                                   framework::ControlI*& control) {
  for (framework::ToolBandC* toolband : ToolBandsIn(frame)) {
    if ((control = FindTopLevelControl(*toolband, name)) != nullptr) return toolband;
  }
  return nullptr;
}

}  // namespace

// The person at the product's dialogs: records each one and answers the
// login dialog as the script said, once; any other dialog, or one the
// script said nothing about, is closed with its close box.
class BrowserHost::DialogPlayer {
 public:
  explicit DialogPlayer(std::filesystem::path pictures)
      : pictures_(std::move(pictures)), responder_([this](HWND dialog) { Respond(dialog); }) {}

  void Answer(LoginDialogStep answer) {
    const std::lock_guard<std::mutex> hold(lock_);
    pending_ = std::move(answer);
  }

  std::vector<std::string> TakeShown() {
    const std::lock_guard<std::mutex> hold(lock_);
    return std::exchange(shown_, {});
  }

  // The pictures of the dialogs answered since the last call.
  std::vector<std::string> TakePictures() {
    const std::lock_guard<std::mutex> hold(lock_);
    return std::exchange(pictureFiles_, {});
  }

 private:
  void Respond(HWND dialog) {
    std::optional<LoginDialogStep> answer;
    {
      const std::lock_guard<std::mutex> hold(lock_);
      const bool login = GetDlgItem(dialog, commands::kEmailEditId) != nullptr;
      // The login dialog draws its own title in its page; its window has none.
      std::string title = Narrow(platform::ui::WindowText(dialog));
      if (title.empty()) title = login ? "login" : "untitled";
      shown_.push_back(std::move(title));
      if (login) answer = std::exchange(pending_, std::nullopt);
    }
    if (answer) FillIn(dialog, *answer);
  }

  void FillIn(HWND dialog, const LoginDialogStep& answer) {
    using namespace platform::ui;
    const auto type = [dialog](int id, const std::string& text) {
      FocusDialogItem(dialog, id);
      SelectDialogItemText(dialog, id);
      TypeIntoDialogItem(dialog, id, platform::Utf8ToWide(text));
    };
    type(commands::kEmailEditId, answer.email);
    type(commands::kPasswordEditId, answer.password);
    if (answer.question > 0) {
      ChooseDialogListEntry(dialog, commands::kQuestionComboId, answer.question - 1);
    }
    type(commands::kAnswerEditId, answer.answer);
    const bool checked = SendMessageW(GetDlgItem(dialog, commands::kKeepLoggedInCheckId),
                                      BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (checked != answer.keepLoggedIn) {
      ClickDialogButton(dialog, commands::kKeepLoggedInCheckId);
    }
    // As the member sees it before closing it.
    std::vector<std::string> files;
    WriteDialogPicture(pictures_, "dialog-" + std::to_string(++answered_) + "-login",
                       platform::ui::RenderDialogSvg(dialog), files);
    {
      const std::lock_guard<std::mutex> hold(lock_);
      pictureFiles_.insert(pictureFiles_.end(), files.begin(), files.end());
    }
    if (answer.confirm) ClickDialogButton(dialog, IDOK);
  }

  const std::filesystem::path pictures_;
  int answered_ = 0;
  std::mutex lock_;
  std::optional<LoginDialogStep> pending_;
  std::vector<std::string> shown_;
  std::vector<std::string> pictureFiles_;
  platform::ui::ScopedDialogResponder responder_;
};

BrowserHost::BrowserHost(HostOptions options)
    : options_(std::move(options)), clock_(kStartTick, std::chrono::system_clock::now()) {
  root_ = std::make_unique<tools::regsvr::RegsvrRoot>(options_.root, options_.builtModule);
  if (!root_->Ready()) {
    error_ = root_->Error();
    return;
  }
  // The browser's own directory, where the product keeps its category
  // cache beside the browser's program.
  const std::string program = platform::GetHostExecutablePath();
  if (!platform::MakeDirectories(program.substr(0, program.rfind('\\')))) {
    error_ = "cannot make the browser's directory in the root";
    return;
  }
  std::string base;
  if (options_.service) {
    const std::optional<std::string> given = ServiceBase(*options_.service);
    if (!given) {
      error_ = "--service takes http://HOST:PORT, not " + *options_.service;
      return;
    }
    base = *given;
  } else {
    try {
      service_ = std::make_unique<refservice::ReferenceService>();
    } catch (const std::exception& failure) {
      error_ = std::string("the reference service did not start: ") + failure.what();
      return;
    }
    base = service_->BaseUrl();
  }
  siteBase_ = base;
  // The product reads where its services and sites are when its session
  // starts, which the first toolbar does.
  for (const auto& [name, value] : refservice::ProductEnvironmentFor(base)) {
    ::setenv(name.c_str(), value.c_str(), 1);
  }
  dialogs_ = std::make_unique<DialogPlayer>(options_.out);
  platform::TakeProcessStarts();
  platform::ui::TakeMessageBoxes();
}

BrowserHost::~BrowserHost() {
  CloseAllWindows();
  platform::WaitForWorkerThreads();
}

bool BrowserHost::Keep() {
  CloseAllWindows();
  platform::WaitForWorkerThreads();
  return root_ == nullptr || root_->Keep();
}

StepOutcome BrowserHost::Run(const ScriptStep& step) {
  StepOutcome outcome;
  try {
    outcome.result = std::visit(
        [&](const auto& action) -> std::string {
          using Action = std::decay_t<decltype(action)>;
          if constexpr (std::is_same_v<Action, RegisterStep>) {
            return Register(action.unregister, outcome.registration);
          } else if constexpr (std::is_same_v<Action, OpenStep>) {
            return Open(action);
          } else if constexpr (std::is_same_v<Action, WindowStep>) {
            return SelectWindow(action);
          } else if constexpr (std::is_same_v<Action, CloseStep>) {
            return Close();
          } else if constexpr (std::is_same_v<Action, ClickStep>) {
            return Click(action);
          } else if constexpr (std::is_same_v<Action, TypeStep>) {
            return Type(action);
          } else if constexpr (std::is_same_v<Action, KeyStep>) {
            return Key(action);
          } else if constexpr (std::is_same_v<Action, LoginDialogStep>) {
            dialogs_->Answer(action);
            return "ok";
          } else if constexpr (std::is_same_v<Action, WaitStep>) {
            return Wait(action);
          } else if constexpr (std::is_same_v<Action, StateStep>) {
            return "ok";
          } else {
            static_assert(std::is_same_v<Action, PictureStep>);
            return Picture(action, outcome.files);
          }
        },
        step.action);
    Settle();
  } catch (const std::exception& failure) {
    outcome.result = failure.what();
  }
  for (std::string& picture : dialogs_->TakePictures()) outcome.files.push_back(std::move(picture));
  outcome.state = Capture();
  return outcome;
}

std::string BrowserHost::Register(bool unregister, std::optional<HRESULT>& result) {
  tools::regsvr::RegsvrCommandLine line;
  line.unregister = unregister;
  line.silent = true;
  line.module = platform::kInstalledModulePath;
  const tools::regsvr::RegsvrOutcome outcome = tools::regsvr::RunRegsvr(line);
  result = outcome.result;
  if (outcome.exit == tools::regsvr::kRegsvrSucceeded) return "ok";
  std::string message = outcome.message;
  if (!message.empty() && message.back() == '\n') message.pop_back();
  return message;
}

BrowserHost::Window* BrowserHost::Current() {
  if (current_ >= windows_.size() || !windows_[current_].window) return nullptr;
  return &windows_[current_];
}

std::string BrowserHost::Open(const OpenStep& step) {
  if (step.newWindow) {
    windows_.push_back(Window{std::make_unique<BrowserWindow>(), 0, {}});
    current_ = windows_.size() - 1;
    // The window's toolbars finish starting (their first service calls
    // answered) before its first page arrives, as on a browser's start page.
    Settle();
  }
  Window* window = Current();
  if (window == nullptr) return "no window is open";
  std::string problem;
  const bool answered = window->window->Run([&](platform::BrowserFrame& frame) {
    platform::BrowserObject& browser = frame.Browser();
    window->ownNavigations.insert(browser.Navigations().size());
    platform::Bstr url(platform::Utf8ToWide(WithSite(step.url, siteBase_)));
    const HRESULT navigated = browser.Navigate(url.Get(), nullptr, nullptr, nullptr, nullptr);
    if (FAILED(navigated)) {
      problem = "the browser refused the address";
    } else if (!browser.PageLoadError().empty()) {
      problem = "the page did not load: " + browser.PageLoadError();
    }
  });
  if (!answered) return "the window did not answer";
  for (std::size_t index = 0; index < window->window->ToolbarResults().size(); ++index) {
    const HRESULT created = window->window->ToolbarResults()[index];
    if (FAILED(created) && step.newWindow) {
      return "a listed toolbar could not be created (" + std::to_string(created) + ")";
    }
  }
  return problem.empty() ? "ok" : problem;
}

std::string BrowserHost::SelectWindow(const WindowStep& step) {
  const auto index = static_cast<std::size_t>(step.number - 1);
  if (index >= windows_.size()) return "there is no window " + std::to_string(step.number);
  if (!windows_[index].window) return "window " + std::to_string(step.number) + " is closed";
  current_ = index;
  return "ok";
}

std::string BrowserHost::Close() {
  Window* window = Current();
  if (window == nullptr) return "no window is open";
  window->window.reset();
  // The newest window still open becomes the current one.
  for (std::size_t index = windows_.size(); index-- > 0;) {
    if (windows_[index].window) {
      current_ = index;
      break;
    }
  }
  return "ok";
}

void BrowserHost::CloseAllWindows() {
  for (Window& window : windows_) window.window.reset();
}

std::string BrowserHost::Click(const ClickStep& step) {
  Window* window = Current();
  if (window == nullptr) return "no window is open";
  std::string problem;
  const bool answered = window->window->Run([&](platform::BrowserFrame& frame) {
    framework::ControlI* control = nullptr;
    framework::ToolBandC* toolband = ToolBandWith(frame.FrameWindow(), step.name, control);
    if (toolband == nullptr) {
      problem = "no control on the toolbar is named " + step.name;
      return;
    }
    if (!step.item) {
      if (!tools::Click(*toolband, *control)) problem = step.name + " did not take the click";
      return;
    }
    framework::ControlI* item = FindMenuItem(*control, *step.item);
    if (item == nullptr) {
      problem = step.name + " has no item " + *step.item;
      return;
    }
    if (!tools::ChooseMenuItem(*toolband, {item, control})) {
      problem = "the menu " + step.name + " did not open";
    }
  });
  if (!answered) return "the window did not answer";
  return problem.empty() ? "ok" : problem;
}

std::string BrowserHost::Type(const TypeStep& step) {
  Window* window = Current();
  if (window == nullptr) return "no window is open";
  std::string problem;
  const bool answered = window->window->Run([&](platform::BrowserFrame& frame) {
    HWND field = nullptr;
    for (framework::ToolBandC* toolband : ToolBandsIn(frame.FrameWindow())) {
      if ((field = SearchField(*toolband)) != nullptr) break;
    }
    if (field == nullptr || !IsWindowEnabled(field)) {
      problem = "the toolbar has no search box to type in";
      return;
    }
    // A click into the box: it takes the focus, and what it showed is
    // selected, so the typing replaces it.
    SetFocus(field);
    platform::ui::RunUntilIdle();
    SendMessageW(field, EM_SETSEL, 0, -1);
    platform::ui::TypeCharacters(platform::Utf8ToWide(step.text));
  });
  if (!answered) return "the window did not answer";
  return problem.empty() ? "ok" : problem;
}

std::string BrowserHost::Key(const KeyStep& step) {
  const std::optional<KeyChord> chord = ParseKeyChord(step.keys);
  if (!chord) return "unknown key " + step.keys;
  Window* window = Current();
  if (window == nullptr) return "no window is open";
  const bool answered = window->window->Run([&](platform::BrowserFrame&) {
    for (int modifier : chord->modifiers) platform::ui::KeyDown(modifier);
    platform::ui::PressKey(chord->key);
    for (auto modifier = chord->modifiers.rbegin(); modifier != chord->modifiers.rend();
         ++modifier) {
      platform::ui::KeyUp(*modifier);
    }
  });
  return answered ? "ok" : "the window did not answer";
}

std::string BrowserHost::Wait(const WaitStep& step) {
  for (int left = step.milliseconds; left > 0; left -= kWaitSlice) {
    clock_.Advance(static_cast<std::uint64_t>(std::min(left, kWaitSlice)));
    Settle();
  }
  return "ok";
}

void BrowserHost::Settle() {
  // Twice: what one round's workers handed to a window may start another.
  for (int round = 0; round < 2; ++round) {
    std::vector<std::future<void>> done;
    for (Window& window : windows_) {
      if (!window.window) continue;
      done.push_back(window.window->Post(
          [](platform::BrowserFrame&) { platform::ui::RunUntilWorkersDone(kWorkerGuard); }));
    }
    for (std::future<void>& each : done) {
      if (each.wait_for(kSettleGuard) != std::future_status::ready) {
        throw std::runtime_error("a window stopped answering");
      }
      each.get();
    }
    if (done.empty()) platform::WaitForWorkerThreads();
  }
}

std::string BrowserHost::Picture(const PictureStep& step, std::vector<std::string>& files) {
  Window* window = Current();
  if (window == nullptr) return "no window is open";
  std::vector<PictureSource> sources;
  const bool answered = window->window->Run([&](platform::BrowserFrame& frame) {
    PictureSource toolbar;
    const auto toolbands = ToolBandsIn(frame.FrameWindow());
    if (!toolbands.empty())
      toolbar.toolbarSvg = platform::ui::RenderToolbarSvg(toolbands.front()->ToolbarWindow());
    if (HWND sidebar = SidebarWindow(frame.Browser());
        sidebar != nullptr && IsWindowVisible(sidebar)) {
      toolbar.sidebarHtml =
          Narrow(tools::DocumentBody(HostedBrowser(sidebar).Get(), tools::BodyContent::kMarkup));
      toolbar.hasSidebar = true;
    }
    sources.push_back(std::move(toolbar));
  });
  if (!answered) return "the window did not answer";
  return WritePictures(options_.out, step.name, sources.front(), files);
}

HostState BrowserHost::Capture() {
  HostState state;
  for (Window& window : windows_) {
    if (!window.window) continue;
    ++state.windows;
    const bool current = &window == Current();
    window.window->Run([&](platform::BrowserFrame& frame) {
      platform::BrowserObject& browser = frame.Browser();
      const auto& navigations = browser.Navigations();
      for (std::size_t index = window.navigationsSeen; index < navigations.size(); ++index) {
        if (window.ownNavigations.count(index) != 0) continue;
        state.navigations.push_back({Narrow(navigations[index].url), navigations[index].newWindow});
      }
      window.navigationsSeen = navigations.size();
      if (!current) return;
      platform::Bstr location;
      if (SUCCEEDED(browser.get_LocationURL(location.Receive())))
        state.url = Narrow(location.String());
      for (framework::ToolBandC* toolband : ToolBandsIn(frame.FrameWindow())) {
        std::vector<ControlState> controls = ReadControls(*toolband);
        state.toolbar.insert(state.toolbar.end(), std::make_move_iterator(controls.begin()),
                             std::make_move_iterator(controls.end()));
      }
      if (HWND sidebar = SidebarWindow(browser)) {
        state.sidebarVisible = IsWindowVisible(sidebar) != FALSE;
        state.sidebarHtml =
            Narrow(tools::DocumentBody(HostedBrowser(sidebar).Get(), tools::BodyContent::kMarkup));
      }
    });
  }

  if (service_) {
    std::vector<std::string> requests;
    const auto received = service_->Requests();
    for (std::size_t index = requestsSeen_; index < received.size(); ++index) {
      const auto& request = received[index];
      const std::string_view target = request.http.target;
      const std::string_view path = target.substr(0, target.find('?'));
      const bool soap =
          path == service_->Options().adsPath || path == service_->Options().utilsPath;
      requests.push_back(soap ? request.operation : std::string(target));
    }
    requestsSeen_ = received.size();
    state.requests = std::move(requests);
  }
  state.dialogs = dialogs_->TakeShown();
  for (const auto& shown : platform::ui::TakeMessageBoxes())
    state.messages.push_back(Narrow(shown.text));
  for (platform::ProcessStart& start : platform::TakeProcessStarts()) {
    state.processes.push_back(
        {std::move(start.windowsPath), std::move(start.commandLine), start.started});
  }

  platform::RegistryKey settings;
  const bool opened =
      settings.Open(HKEY_LOCAL_MACHINE, session::kProductSettingsKey) == ERROR_SUCCESS;
  for (const char* name : kSettingNames) {
    std::string value;
    if (opened && settings.QueryStringValue(name, value) == ERROR_SUCCESS) {
      state.registry.push_back({name, std::move(value)});
    } else {
      state.registry.push_back({name, std::nullopt});
    }
  }
  const std::string directory = session::ReadInstallDirectory();
  if (!directory.empty()) {
    state.searchHistory =
        platform::ReadWholeFile(directory + "\\" + commands::kSearchHistoryFileName);
  }
  const std::string cache = session::CategoryCachePath(platform::GetHostExecutablePath());
  if (const auto facts = platform::GetFileFacts(cache)) state.categoryCacheBytes = facts->size;
  return state;
}

}  // namespace browserhost
