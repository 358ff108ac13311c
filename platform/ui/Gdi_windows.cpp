// Text metrics and bitmaps from GDI itself: the toolbar measures captions in
// the font it draws them with, and images become DIB sections.
#ifdef _WIN32
#include <windows.h>

#include <cstring>

#include "platform/resources/Bitmap.h"
#include "platform/text/WideChars.h"
#include "platform/ui/Gdi.h"

namespace platform::ui {
namespace {

// "&&" shows one ampersand; "&x" shows x underlined.
std::u16string WithoutMnemonics(std::u16string_view text) {
  std::u16string shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;
    shown.push_back(text[i]);
  }
  return shown;
}

struct ScreenDC {
  HDC dc = GetDC(nullptr);
  ~ScreenDC() {
    if (dc != nullptr) ReleaseDC(nullptr, dc);
  }
};

}  // namespace

int TextWidth(std::u16string_view text, bool prefixMarksMnemonic) {
  const std::u16string shown = prefixMarksMnemonic ? WithoutMnemonics(text) : std::u16string(text);
  ScreenDC screen;
  if (screen.dc == nullptr) return static_cast<int>(shown.size()) * kCharWidth;
  HGDIOBJ previous = SelectObject(screen.dc, GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{};
  const BOOL measured = GetTextExtentPoint32W(screen.dc, AsWchar(shown.c_str()),
                                              static_cast<int>(shown.size()), &size);
  SelectObject(screen.dc, previous);
  return measured ? static_cast<int>(size.cx) : static_cast<int>(shown.size()) * kCharWidth;
}

HBITMAP CreateBitmapHandle(const platform::Bitmap& bitmap) {
  if (bitmap.width <= 0 || bitmap.height <= 0 ||
      bitmap.pixels.size() != static_cast<std::size_t>(bitmap.width) * bitmap.height) {
    return nullptr;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = bitmap.width;
  info.bmiHeader.biHeight = -bitmap.height;  // top-down, as the pixels are kept
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP handle = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (handle == nullptr || bits == nullptr) return handle;
  // Decoded pixels are 0x00RRGGBB, the DIB's byte order for BI_RGB.
  std::memcpy(bits, bitmap.pixels.data(), bitmap.pixels.size() * sizeof(std::uint32_t));
  return handle;
}

}  // namespace platform::ui
#endif
