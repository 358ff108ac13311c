#include "commands/login/CDialogLogin.h"

#include <string>

#include "commands/login/LoginTexts.h"
#include "commands/login/MemberLogin.h"
#include "platform/text/WideChars.h"
#include "platform/trace/Contain.h"
#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "session/settings/ProductSettings.h"
#include "session/tab/ContextC.h"

namespace commands {
namespace {

constexpr WORD kFontPointSize = 8;
constexpr char16_t kFontFace[] = u"MS Shell Dlg";
constexpr DWORD kEditStyle = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr COLORREF kLabelText = 0x969696;
constexpr COLORREF kLabelBackground = 0xFFFFFF;

constexpr char16_t kEmailPlaceholder[] = u"Email";
constexpr char16_t kPasswordPlaceholder[] = u"Password";
constexpr char16_t kAnswerPlaceholder[] = u"Answer";
constexpr char16_t kQuestionPlaceholder[] = u"Question";
constexpr char16_t kKeepLoggedIn[] = u"Keep me logged in";

platform::ui::DialogTemplate LoginTemplate() {
  using platform::ui::kButtonClassAtom;
  using platform::ui::kComboBoxClassAtom;
  using platform::ui::kEditClassAtom;
  platform::ui::DialogTemplate layout(WS_POPUP | DS_SETFONT, {0, 0, 263, 64}, kFontPointSize,
                                      kFontFace);
  layout.AddItem(kEditStyle, {8, 11, 119, 14}, kEmailEditId, kEditClassAtom);
  layout.AddItem(kEditStyle, {8, 27, 119, 14}, kPasswordEditId, kEditClassAtom);
  layout.AddItem(CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, {135, 11, 119, 30}, kQuestionComboId,
                 kComboBoxClassAtom);
  layout.AddItem(kEditStyle, {135, 27, 119, 14}, kAnswerEditId, kEditClassAtom);
  layout.AddItem(BS_AUTOCHECKBOX | WS_TABSTOP, {117, 49, 74, 10}, kKeepLoggedInCheckId,
                 kButtonClassAtom);
  layout.AddItem(BS_OWNERDRAW | WS_TABSTOP, {225, 46, 29, 13}, IDOK, kButtonClassAtom);
  layout.AddItem(BS_OWNERDRAW | WS_TABSTOP, {254, 2, 8, 6}, IDCANCEL, kButtonClassAtom);
  return layout;
}

}  // namespace

CDialogLogin::CDialogLogin(HWND parent)
    : CDHtmlDialog(parent, kLoginPageResource),
      template_(LoginTemplate()),
      background_(CreateSolidBrush(kLabelBackground)) {}

CDialogLogin::~CDialogLogin() {
  if (background_) DeleteObject(background_);
}

const DLGTEMPLATE* CDialogLogin::Template() { return template_.Get(); }

BOOL CDialogLogin::OnInitDialog() {
  CDHtmlDialog::OnInitDialog();
  HWND hwnd = GetSafeHwnd();
  okButton_.Attach(GetDlgItem(hwnd, IDOK));
  cancelButton_.Attach(GetDlgItem(hwnd, IDCANCEL));
  okButton_.SetBitmap(kLoginOkBitmap, kLoginButtonMaskColour);
  cancelButton_.SetBitmap(kLoginCancelBitmap, kLoginButtonMaskColour);

  SendDlgItemMessageW(hwnd, kQuestionComboId, CB_RESETCONTENT, 0, 0);
  SetDlgItemTextW(hwnd, kQuestionComboId, platform::AsWchar(kQuestionPlaceholder));
  for (const char16_t* question : kSecurityQuestions) {
    SendDlgItemMessageW(hwnd, kQuestionComboId, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(platform::AsWchar(question)));
  }
  SetDlgItemTextW(hwnd, kEmailEditId, platform::AsWchar(kEmailPlaceholder));
  SetDlgItemTextW(hwnd, kPasswordEditId, platform::AsWchar(kPasswordPlaceholder));
  SetDlgItemTextW(hwnd, kAnswerEditId, platform::AsWchar(kAnswerPlaceholder));
  SetDlgItemTextW(hwnd, kKeepLoggedInCheckId, platform::AsWchar(kKeepLoggedIn));
  // Taking the focus empties the e-mail placeholder; it is put back, so the
  // field that holds the caret still says what belongs in it.
  SetFocus(GetDlgItem(hwnd, kEmailEditId));
  CheckDlgButton(hwnd, kKeepLoggedInCheckId,
                 session::ReadAutoLoggin() ? BST_CHECKED : BST_UNCHECKED);
  SetDlgItemTextW(hwnd, kEmailEditId, platform::AsWchar(kEmailPlaceholder));
  SetWindowPos(hwnd, nullptr, toolbar_.right - kLoginDialogWidth, toolbar_.bottom + kLoginDialogGap,
               0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return FALSE;  // the focus is where it was put
}

bool CDialogLogin::OnCommand(WORD id, WORD code, HWND) {
  switch (id) {
    case IDOK:
      if (code == BN_CLICKED) OnOK();
      return true;
    case IDCANCEL:
      if (code == BN_CLICKED) EndDialog(IDCANCEL);
      return true;
    case kKeepLoggedInCheckId:
      if (code == BN_CLICKED) autoLoginChanged_ = !autoLoginChanged_;
      return true;
    case kEmailEditId:
    case kPasswordEditId:
    case kAnswerEditId:
      if (code == EN_SETFOCUS) ClearPlaceholder(id);
      return true;
    default:
      return false;
  }
}

void CDialogLogin::ClearPlaceholder(int id) {
  HWND hwnd = GetSafeHwnd();
  const std::u16string text = ItemText(id);
  const char16_t* placeholder = id == kEmailEditId      ? kEmailPlaceholder
                                : id == kPasswordEditId ? kPasswordPlaceholder
                                                        : kAnswerPlaceholder;
  if (text != placeholder) return;
  SetDlgItemTextW(hwnd, id, platform::AsWchar(u""));
  if (id == kPasswordEditId) SendDlgItemMessageW(hwnd, id, EM_SETPASSWORDCHAR, u'*', 0);
}

std::u16string CDialogLogin::ItemText(int id) const {
  HWND item = GetDlgItem(GetSafeHwnd(), id);
  const int length = GetWindowTextLengthW(item);
  if (length <= 0) return {};
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  const UINT copied =
      GetDlgItemTextW(GetSafeHwnd(), id, platform::AsWchar(text.data()), length + 1);
  text.resize(copied);
  return text;
}

void CDialogLogin::OnOK() {
  const bool read = platform::Contain("CDialogLogin::OnOK", false, [&] {
    if (autoLoginChanged_ && context_ != nullptr) {
      if (auto* toggle =
              dynamic_cast<framework::CommandC*>(context_->FindCommand(kAutoLoginCommand)))
        toggle->Execute(nullptr);
    }
    LoginForm form;
    form.email = ItemText(kEmailEditId);
    form.password = ItemText(kPasswordEditId);
    form.securityAnswer = ItemText(kAnswerEditId);
    const auto chosen = SendDlgItemMessageW(GetSafeHwnd(), kQuestionComboId, CB_GETCURSEL, 0, 0);
    form.securityQuestionId = chosen == CB_ERR ? 0 : static_cast<int>(chosen) + 1;
    LogIn(form, GetSafeHwnd());
    return true;
  });
  if (read) EndDialog(IDOK);
}

HBRUSH CDialogLogin::OnCtlColor(HDC dc, HWND, UINT message) {
  if (message != WM_CTLCOLORSTATIC && message != WM_CTLCOLORDLG) return nullptr;
  SetTextColor(dc, kLabelText);
  SetBkColor(dc, kLabelBackground);
  return background_;
}

void CDialogLogin::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlID == IDOK) okButton_.DrawItem(item);
  if (item.CtlID == IDCANCEL) cancelButton_.DrawItem(item);
}

void CDialogLogin::OnActivate(WORD state) {
  if (state != WA_INACTIVE)
    InvalidateRect(GetDlgItem(GetSafeHwnd(), kQuestionComboId), nullptr, TRUE);
}

}  // namespace commands
