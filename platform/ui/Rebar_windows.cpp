// Which band object owns a rebar band is the browser's bookkeeping, not the
// rebar's. The browser (or a host playing it) names the band's child window
// with the object's class id; the toolband finds its band by that name.
#ifdef _WIN32
#include <windows.h>

// After <windows.h>, whose types they use.
#include <commctrl.h>

#include "platform/text/WideChars.h"
#include "platform/ui/Rebar.h"

namespace platform::ui {
namespace {

constexpr wchar_t kClassIdProperty[] = L"VimaruBandClassId";

HWND BandChild(HWND rebar, int index) {
  REBARBANDINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = RBBIM_CHILD;
  if (!SendMessageW(rebar, RB_GETBANDINFOW, static_cast<WPARAM>(index),
                    reinterpret_cast<LPARAM>(&info))) {
    return nullptr;
  }
  return info.hwndChild;
}

// The class id's atom lives as long as the property: GlobalAddAtom counts.
bool SameClassId(HWND child, std::u16string_view classIdText) {
  const ATOM atom =
      static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(child, kClassIdProperty)));
  if (atom == 0) return false;
  wchar_t name[64];
  const UINT length = GlobalGetAtomNameW(atom, name, 64);
  return CompareStringOrdinal(name, static_cast<int>(length), AsWchar(classIdText.data()),
                              static_cast<int>(classIdText.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

bool SetRebarBandClassId(HWND rebar, int index, std::u16string classIdText) {
  HWND child = BandChild(rebar, index);
  if (child == nullptr) return false;
  const ATOM atom = GlobalAddAtomW(AsWchar(classIdText));
  if (atom == 0) return false;
  if (const auto previous = reinterpret_cast<UINT_PTR>(RemovePropW(child, kClassIdProperty))) {
    GlobalDeleteAtom(static_cast<ATOM>(previous));
  }
  return SetPropW(child, kClassIdProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom))) !=
         FALSE;
}

int FindRebarBandByClassId(HWND rebar, std::u16string_view classIdText) {
  const int count = static_cast<int>(SendMessageW(rebar, RB_GETBANDCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    HWND child = BandChild(rebar, index);
    if (child != nullptr && SameClassId(child, classIdText)) return index;
  }
  return -1;
}

}  // namespace platform::ui
#endif
