// The member's login dialog: a small page-backed dialog without caption
// that hangs under the right part of the toolbar, with the e-mail address,
// password, security question and answer fields, the "Keep me logged in"
// check box tied to the stored auto-login switch, and image buttons for OK
// and for closing it.
//
//   CDialogLogin dialog(parent);
//   dialog.SetToolbarRect(toolbarOnScreen);
//   dialog.SetContext(&context);
//   dialog.DoModal();
//
// The edits show their placeholders until they first take the focus; the
// password field shows its placeholder in plain letters and masks what is
// typed after that. OK sets the stored switch to follow the check box (by
// the tab's auto-login command), logs in with what the fields hold
// (MemberLogin.h) and closes; Cancel closes and changes nothing.
//
// One dialog per click; lives on the browser window's thread.
#pragma once

#include "framework/htmldialog/CDHtmlDialog.h"
#include "framework/htmldialog/CImageButton.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Gdi.h"

namespace session {
class ContextC;
}

namespace commands {

inline constexpr int kEmailEditId = 201;
inline constexpr int kPasswordEditId = 202;
inline constexpr int kQuestionComboId = 203;
inline constexpr int kAnswerEditId = 204;
inline constexpr int kKeepLoggedInCheckId = 209;
inline constexpr int kLoginOkBitmap = 227;
inline constexpr int kLoginCancelBitmap = 228;
inline constexpr COLORREF kLoginButtonMaskColour = 14872816;
// The dialog's right edge lines up with the toolbar's: 263 dialog units.
inline constexpr int kLoginDialogWidth = 460;
inline constexpr int kLoginDialogGap = 2;
inline constexpr char16_t kLoginPageResource[] = u"login.htm";

class CDialogLogin final : public framework::CDHtmlDialog {
 public:
  explicit CDialogLogin(HWND parent);
  ~CDialogLogin() override;

  // The toolbar window's rectangle on the screen.
  void SetToolbarRect(const RECT& toolbar) { toolbar_ = toolbar; }
  void SetContext(session::ContextC* context) { context_ = context; }

 protected:
  const DLGTEMPLATE* Template() override;
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;
  void OnDrawItem(const DRAWITEMSTRUCT& item) override;
  void OnActivate(WORD state) override;

 private:
  void OnOK();
  void ClearPlaceholder(int id);
  std::u16string ItemText(int id) const;

  platform::ui::DialogTemplate template_;
  session::ContextC* context_ = nullptr;
  RECT toolbar_{};
  bool autoLoginChanged_ = false;
  framework::CImageButton okButton_;
  framework::CImageButton cancelButton_;
  HBRUSH background_ = nullptr;
};

}  // namespace commands
