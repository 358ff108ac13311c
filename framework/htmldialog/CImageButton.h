// An owner-drawn button that shows one bitmap of the module, the pixels of
// a mask colour left transparent so the page beneath shows through: the
// dialog attaches it to its BS_OWNERDRAW button and hands it the button's
// WM_DRAWITEM.
//
//   okButton_.Attach(GetDlgItem(hwnd, IDOK));
//   okButton_.SetBitmap(227, 14872816);
//   ... on WM_DRAWITEM for IDOK: okButton_.DrawItem(item);
//
// Owns the image list it draws from. Lives on the dialog's thread.
#pragma once

#include "platform/ui/ImageList.h"
#include "platform/ui/WindowMessages.h"

namespace framework {

class CImageButton {
 public:
  CImageButton() = default;
  ~CImageButton();
  CImageButton(const CImageButton&) = delete;
  CImageButton& operator=(const CImageButton&) = delete;

  void Attach(HWND button) { button_ = button; }
  HWND Button() const { return button_; }
  // False when the module has no such bitmap; the button then draws nothing.
  bool SetBitmap(int resourceId, COLORREF maskColour);
  void DrawItem(const DRAWITEMSTRUCT& item) const;

 private:
  HWND button_ = nullptr;
  HIMAGELIST images_ = nullptr;
};

}  // namespace framework
