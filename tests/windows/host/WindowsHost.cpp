// The Windows test host: plays Internet Explorer's part for the real module
// under Wine. It makes a frame window with a real rebar, creates the toolbar
// through CoCreateInstance as the browser does (the module registered by
// regsvr32), sites it, shows it, waits for its first service calls, and
// prints what the toolbar built, one JSON object per line. The toolbar's
// picture goes to the PNG file named on the command line.
//
//   vimaru-windows-host.exe PICTURE.png
#include <windows.h>

// After <windows.h>, whose types they use.
#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <functional>
#include <iostream>
#include <optional>
#include <string>

#include "platform/com/ComInit.h"
#include "platform/com/ComObject.h"
#include "platform/files/FileSystem.h"
#include "platform/resources/Bitmap.h"
#include "platform/text/CodePage.h"
#include "platform/text/WideChars.h"
#include "platform/ui/PngImage.h"
#include "platform/ui/Rebar.h"
#include "session/categories/CategoryCacheFile.h"
#include "session/tab/HookC.h"
#include "tests/windows/host/HostBrowser.h"
#include "tests/windows/host/HostSite.h"
#include "tools/inspect/JsonWriter.h"

namespace windows_host {
namespace {

constexpr wchar_t kFrameClass[] = L"VimaruTestHostFrame";
constexpr char16_t kToolbarClassId[] = u"{736FA7B4-0557-11DB-95BA-00C09F713765}";
constexpr int kFrameWidth = 1024;
// Each wait pumps the window's messages in slices of this many milliseconds,
// for at most this many slices: the module's workers answer within a few.
constexpr DWORD kSliceMs = 50;
constexpr int kMostSlices = 400;

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE) {
    if (HWND rebar = FindWindowExW(window, nullptr, REBARCLASSNAMEW, nullptr)) {
      SendMessageW(rebar, WM_SIZE, 0, 0);
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void PumpOneSlice() {
  MsgWaitForMultipleObjectsEx(0, nullptr, kSliceMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

bool PumpUntil(const std::function<bool()>& done) {
  for (int slice = 0; slice < kMostSlices; ++slice) {
    if (done()) return true;
    PumpOneSlice();
  }
  return done();
}

std::u16string ButtonText(HWND toolbar, int command) {
  const LRESULT length = SendMessageW(toolbar, TB_GETBUTTONTEXTW, static_cast<WPARAM>(command), 0);
  if (length <= 0) return {};
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  SendMessageW(toolbar, TB_GETBUTTONTEXTW, static_cast<WPARAM>(command),
               reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void DescribeToolbar(tools::JsonWriter& json, HWND toolbar) {
  json.BeginArray();
  const int count =
      toolbar != nullptr ? static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0)) : 0;
  for (int index = 0; index < count; ++index) {
    TBBUTTON button{};
    if (!SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&button))) {
      continue;
    }
    json.BeginObject();
    json.Key("id");
    json.Integer(button.idCommand);
    json.Key("style");
    json.Integer(button.fsStyle);
    json.Key("state");
    json.Integer(button.fsState);
    json.Key("text");
    json.Utf8String(platform::WideToUtf8(ButtonText(toolbar, button.idCommand)));
    json.Key("image");
    json.Integer(button.iBitmap);
    json.EndObject();
  }
  json.EndArray();
}

// What the screen shows of `window`, as the pixels a PNG holds.
std::optional<platform::Bitmap> Capture(HWND window) {
  RECT area{};
  GetWindowRect(window, &area);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return std::nullopt;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP pixels = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::optional<platform::Bitmap> picture;
  if (pixels != nullptr && bits != nullptr) {
    HGDIOBJ previous = SelectObject(memory, pixels);
    if (BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY)) {
      picture.emplace();
      picture->width = width;
      picture->height = height;
      const auto* first = static_cast<const std::uint32_t*>(bits);
      picture->pixels.assign(first, first + static_cast<std::size_t>(width) * height);
      for (std::uint32_t& pixel : picture->pixels) pixel &= 0x00FFFFFF;
    }
    SelectObject(memory, previous);
    DeleteObject(pixels);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return picture;
}

HRESULT CanUnloadNow() {
  HMODULE module = GetModuleHandleW(L"VimaruIEToolbar.dll");
  if (module == nullptr) return S_OK;
  using CanUnload = HRESULT(STDAPICALLTYPE*)();
  auto canUnload = reinterpret_cast<CanUnload>(
      reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
  return canUnload != nullptr ? canUnload() : E_FAIL;
}

// One JSON object a line: the step's name, then what `fields` writes.
void PrintLine(std::string_view step, const std::function<void(tools::JsonWriter&)>& fields) {
  tools::JsonWriter json(std::cout, tools::JsonWriter::Layout::kOneLine);
  json.BeginObject();
  json.Key("step");
  json.Utf8String(step);
  fields(json);
  json.EndObject();
  std::cout << std::endl;
}

void PrintResult(std::string_view step, HRESULT result) {
  PrintLine(step, [&](tools::JsonWriter& json) {
    json.Key("result");
    json.Integer(static_cast<std::uint32_t>(result));
  });
}

int Run(const std::wstring& picturePath) {
  platform::ScopedComInit com(COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_COOL_CLASSES | ICC_BAR_CLASSES;
  InitCommonControlsEx(&controls);

  WNDCLASSEXW frameClass{};
  frameClass.cbSize = sizeof(frameClass);
  frameClass.lpfnWndProc = &FrameProc;
  frameClass.hInstance = GetModuleHandleW(nullptr);
  frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  frameClass.lpszClassName = kFrameClass;
  RegisterClassExW(&frameClass);
  HWND frame =
      CreateWindowExW(0, kFrameClass, L"Vimaru test host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                      0, kFrameWidth, 160, nullptr, nullptr, frameClass.hInstance, nullptr);
  const DWORD frameError = frame == nullptr ? GetLastError() : 0;
  HWND rebar =
      CreateWindowExW(WS_EX_TOOLWINDOW, REBARCLASSNAMEW, nullptr,
                      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_VARHEIGHT |
                          RBS_BANDBORDERS | CCS_NODIVIDER | CCS_TOP,
                      0, 0, kFrameWidth, 40, frame, nullptr, frameClass.hInstance, nullptr);
  PrintLine("frame", [&](tools::JsonWriter& json) {
    json.Key("frame");
    json.Boolean(frame != nullptr);
    json.Key("rebar");
    json.Boolean(rebar != nullptr);
    json.Key("error");
    json.Integer(frameError);
  });
  if (frame == nullptr || rebar == nullptr) return 1;
  ShowWindow(frame, SW_SHOWNORMAL);

  auto browser = platform::Make<HostBrowser>(frame, u"about:blank");
  auto site = platform::Make<HostSite>(rebar, browser.Get());

  platform::ComPtr<IObjectWithSite> toolbar;
  HRESULT result = CoCreateInstance(session::CLSID_IEHook, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_PPV_ARGS(toolbar.ReleaseAndGetAddressOf()));
  PrintResult("create", result);
  if (FAILED(result)) return 1;
  result = toolbar->SetSite(static_cast<IOleWindow*>(site.Get()));
  PrintResult("site", result);
  if (FAILED(result)) return 1;

  platform::ComPtr<IDeskBand> band;
  toolbar->QueryInterface(IID_PPV_ARGS(band.ReleaseAndGetAddressOf()));
  DESKBANDINFO bandInfo{};
  bandInfo.dwMask = DBIM_MINSIZE | DBIM_MAXSIZE | DBIM_ACTUAL | DBIM_MODEFLAGS;
  HWND bandWindow = nullptr;
  if (band) {
    band->GetBandInfo(0, DBIF_VIEWMODE_NORMAL, &bandInfo);
    band->GetWindow(&bandWindow);
  }
  REBARBANDINFOW rebarBand{};
  rebarBand.cbSize = sizeof(rebarBand);
  rebarBand.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_SIZE;
  rebarBand.fStyle = RBBS_CHILDEDGE | RBBS_GRIPPERALWAYS;
  rebarBand.hwndChild = bandWindow;
  rebarBand.cxMinChild = static_cast<UINT>(bandInfo.ptMinSize.x);
  rebarBand.cyMinChild = static_cast<UINT>(bandInfo.ptMinSize.y > 0 ? bandInfo.ptMinSize.y : 24);
  rebarBand.cx = kFrameWidth - 16;
  SendMessageW(rebar, RB_INSERTBANDW, static_cast<WPARAM>(-1),
               reinterpret_cast<LPARAM>(&rebarBand));
  platform::ui::SetRebarBandClassId(rebar, 0, kToolbarClassId);
  result = band ? band->ShowDW(TRUE) : E_NOINTERFACE;
  PrintLine("show", [&](tools::JsonWriter& json) {
    json.Key("result");
    json.Integer(static_cast<std::uint32_t>(result));
    json.Key("sinks");
    json.Integer(static_cast<std::int64_t>(browser->SinkCount()));
  });

  // The session's first calls (the category lists) go to the service on a
  // worker; the cache file beside the host says they were answered.
  const std::string cachePath = session::CategoryCachePath(platform::GetHostExecutablePath());
  const bool categories = PumpUntil([&] { return platform::PathExists(cachePath); });
  const auto cache = platform::ReadWholeFile(cachePath);
  PrintLine("categories", [&](tools::JsonWriter& json) {
    json.Key("cacheFile");
    json.Boolean(categories);
    // The file opens with the category count, a little-endian 32-bit integer.
    if (cache && cache->size() >= 4) {
      std::uint32_t count = 0;
      for (int i = 3; i >= 0; --i) count = (count << 8) | static_cast<std::uint8_t>((*cache)[i]);
      json.Key("categoryCount");
      json.Integer(count);
    }
  });

  RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  for (int slice = 0; slice < 4; ++slice) PumpOneSlice();
  // The band's window is the toolbar itself, as the browser gets it.
  PrintLine("toolbar", [&](tools::JsonWriter& json) {
    json.Key("buttons");
    DescribeToolbar(json, bandWindow);
  });

  const auto picture = Capture(rebar);
  const bool written = picture && platform::WriteWholeFile(
                                      platform::WideToAnsi(platform::AsChar16(picturePath.c_str())),
                                      platform::ui::EncodePng(*picture));
  PrintLine("picture", [&](tools::JsonWriter& json) {
    json.Key("written");
    json.Boolean(written);
  });

  if (band) {
    band->ShowDW(FALSE);
    band->CloseDW(0);
  }
  toolbar->SetSite(nullptr);
  PrintLine("unsite", [&](tools::JsonWriter& json) {
    json.Key("sinks");
    json.Integer(static_cast<std::int64_t>(browser->SinkCount()));
  });
  band.Reset();
  toolbar.Reset();
  site.Reset();
  browser.Reset();
  DestroyWindow(frame);
  PumpUntil([] { return CanUnloadNow() == S_OK; });
  PrintResult("unload", CanUnloadNow());
  return 0;
}

}  // namespace
}  // namespace windows_host

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: vimaru-windows-host PICTURE.png\n");
    return 2;
  }
  return windows_host::Run(argv[1]);
}
