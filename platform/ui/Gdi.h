// The little of GDI the toolbar needs: fonts (the toolband copies the
// toolbar's font), brushes, system colours, and device contexts that record
// what is drawn on them, so owner-drawn menu and combo items can be checked
// by tests and shown in the rendered image.
//
// Text metric: every font measures every character 7 pixels wide and a line
// 13 pixels high, whatever its face or size, so that layout is the same on
// every machine. A "&" that marks a mnemonic takes no width ("&&" is one "&")
// unless DT_NOPREFIX is given.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/resources/Bitmap.h"
#include "platform/ui/WindowMessages.h"

#if defined(_WIN32)
#include <windows.h>

// After <windows.h>, whose types it uses.
#include <commctrl.h>
#else
#include "platform/ui/Gdi_linux.h"
#endif

namespace platform::ui {

inline constexpr int kCharWidth = 7;
inline constexpr int kTextHeight = 13;

// Width in pixels of a text under the fixed metric.
int TextWidth(std::u16string_view text, bool prefixMarksMnemonic = true);

// What was drawn on a device context, in order.
struct DrawOperation {
  enum class Kind { kFill, kFrame, kText, kImage } kind = Kind::kFill;
  RECT rect{};
  COLORREF colour = 0;             // fill, frame or text colour
  std::u16string text;             // kText: the text without mnemonic marks
  UINT format = 0;                 // kText: the DrawTextW format
  HFONT font = nullptr;            // kText: the font selected into the context
  int backgroundMode = OPAQUE;     // kText: TRANSPARENT or OPAQUE
  HIMAGELIST imageList = nullptr;  // kImage
  int imageIndex = -1;             // kImage
};

// A device context that is not tied to a window, for renderers that send
// WM_DRAWITEM; destroy it with DeleteDC.
HDC CreateRecordingDC();
void DeleteDC(HDC dc);
std::vector<DrawOperation> RecordedOperations(HDC dc);

// A GDI bitmap holding `bitmap`'s pixels, what CreateDIBSection makes of a
// decoded image, for the calls that take an HBITMAP (ImageList_AddMasked).
// The caller frees it with DeleteObject. Null for an empty bitmap or one
// whose pixel count does not match its size.
HBITMAP CreateBitmapHandle(const platform::Bitmap& bitmap);

}  // namespace platform::ui

namespace platform::ui::detail {
void RecordImage(HDC dc, HIMAGELIST list, int index, int x, int y, int width, int height);
// A copy of the pixels behind a bitmap handle; nullopt for anything else.
std::optional<platform::Bitmap> BitmapPixels(HBITMAP bitmap);
}  // namespace platform::ui::detail
