// The window helpers over user32's own calls.
#ifdef _WIN32
#include <windows.h>

#include <algorithm>

#include "platform/text/WideChars.h"
#include "platform/ui/Window.h"

namespace platform::ui {

std::u16string WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  const int copied = GetWindowTextW(hwnd, AsWchar(text.data()), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

std::u16string WindowClassName(HWND hwnd) {
  // Class names are at most 256 characters.
  wchar_t name[257];
  const int length = GetClassNameW(hwnd, name, 257);
  return length > 0 ? std::u16string(AsChar16(name), static_cast<std::size_t>(length))
                    : std::u16string();
}

}  // namespace platform::ui
#endif
