// Product code keeps wide text as char16_t (std::u16string, u"..."), the same
// type on every system; the Windows SDK takes WCHAR, which is wchar_t there
// (also 16 bits wide) and char16_t in the Linux stand-ins. These casts are
// the one place the two meet: product code wraps a text with AsWchar where
// it hands it to the SDK, and with AsChar16 where it takes one from it.
// Nothing is copied or converted; only the pointer's type changes.
#pragma once

#include <string>

#include "platform/com/HResult.h"

static_assert(sizeof(WCHAR) == sizeof(char16_t), "the SDK's wide characters are UTF-16 units");

namespace platform {

inline const WCHAR* AsWchar(const char16_t* text) { return reinterpret_cast<const WCHAR*>(text); }
inline WCHAR* AsWchar(char16_t* text) { return reinterpret_cast<WCHAR*>(text); }
inline const WCHAR* AsWchar(const std::u16string& text) { return AsWchar(text.c_str()); }

inline const char16_t* AsChar16(const WCHAR* text) {
  return reinterpret_cast<const char16_t*>(text);
}
inline char16_t* AsChar16(WCHAR* text) { return reinterpret_cast<char16_t*>(text); }

}  // namespace platform
