#include "platform/ui/Dialog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/SvgRender.h"
#include "platform/ui/Window.h"
#include "platform/ui/testing/RecordingWindow.h"

namespace platform::ui {
namespace {

constexpr int kEdit = 101;
constexpr int kCheck = 102;
constexpr int kDrawn = 103;
constexpr int kCombo = 104;
constexpr int kPlain = 105;

// What the dialog procedure saw, and what it should do with it.
struct Procedure {
  std::vector<UINT> messages;
  std::vector<std::pair<int, WORD>> commands;  // control id, notification
  std::vector<DRAWITEMSTRUCT> drawn;
  LPARAM initParam = 0;
  HWND initFocus = nullptr;
  bool ignoreCancel = false;
  bool endInInit = false;
  BOOL initAnswer = TRUE;
  HBRUSH staticBrush = nullptr;
};
Procedure* procedure = nullptr;

INT_PTR CALLBACK TestProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  procedure->messages.push_back(message);
  switch (message) {
    case WM_INITDIALOG:
      procedure->initParam = lParam;
      procedure->initFocus = reinterpret_cast<HWND>(wParam);
      if (procedure->endInInit) EndDialog(dialog, 42);
      return procedure->initAnswer;
    case WM_COMMAND:
      procedure->commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
      if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDOK) EndDialog(dialog, IDOK);
      if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDCANCEL && !procedure->ignoreCancel)
        EndDialog(dialog, IDCANCEL);
      return TRUE;
    case WM_DRAWITEM:
      procedure->drawn.push_back(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
      if (!procedure->staticBrush) return FALSE;
      SetTextColor(reinterpret_cast<HDC>(wParam), RGB(1, 2, 3));
      return reinterpret_cast<INT_PTR>(procedure->staticBrush);
    default:
      return FALSE;
  }
}

DialogTemplate TestTemplate() {
  DialogTemplate layout(WS_POPUP | DS_SETFONT, {10, 20, 200, 100}, 8, u"MS Shell Dlg");
  layout.AddItem(WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, {8, 11, 119, 14}, kEdit, kEditClassAtom,
                 u"start");
  layout.AddItem(BS_AUTOCHECKBOX | WS_TABSTOP, {8, 30, 60, 10}, kCheck, kButtonClassAtom, u"Check");
  layout.AddItem(BS_OWNERDRAW, {100, 30, 29, 13}, kDrawn, kButtonClassAtom);
  layout.AddItem(CBS_DROPDOWN | WS_VSCROLL, {100, 50, 80, 30}, kCombo, kComboBoxClassAtom);
  layout.AddItem(BS_PUSHBUTTON, {8, 60, 40, 14}, kPlain, kButtonClassAtom, u"Plain");
  layout.AddItem(BS_PUSHBUTTON, {150, 80, 40, 14}, IDCANCEL, kButtonClassAtom, u"Cancel");
  return layout;
}

class DialogTest : public ::testing::Test {
 protected:
  DialogTest() { procedure = &seen_; }
  ~DialogTest() override {
    procedure = nullptr;
    TakeMessageBoxes();
  }

  INT_PTR Run(const DialogResponder& responder, HWND owner = nullptr) {
    const ScopedDialogResponder scoped(responder);
    return DialogBoxIndirectParamW(nullptr, layout_.Get(), owner, &TestProc, 77);
  }

  Procedure seen_;
  DialogTemplate layout_ = TestTemplate();
};

TEST(DialogTemplate, WritesTheResourceLayoutWithDwordAlignedItems) {
  DialogTemplate layout(WS_POPUP | DS_SETFONT, {1, 2, 30, 40}, 8, u"Ab");
  layout.AddItem(ES_AUTOHSCROLL, {3, 4, 5, 6}, 201, kEditClassAtom, u"x");
  const auto* head = layout.Get();
  EXPECT_EQ(head->style, WS_POPUP | DS_SETFONT);
  EXPECT_EQ(head->cdit, 1);
  EXPECT_EQ(head->cx, 30);
  const auto* words = reinterpret_cast<const WORD*>(head + 1);
  // No menu, the dialog class, no title, 8 point, "Ab".
  const std::vector<WORD> expected = {0, 0, 0, 8, u'A', u'b', 0};
  EXPECT_EQ(std::vector<WORD>(words, words + expected.size()), expected);
  // 18 bytes of head and 14 of texts end at 32: the item starts there.
  const auto* bytes = reinterpret_cast<const unsigned char*>(head);
  DLGITEMTEMPLATE item{};
  std::memcpy(&item, bytes + 32, sizeof item);
  EXPECT_EQ(item.style, ES_AUTOHSCROLL | WS_CHILD | WS_VISIBLE);
  EXPECT_EQ(item.id, 201);
  EXPECT_EQ(item.cy, 6);
  WORD tail[5];
  std::memcpy(tail, bytes + 32 + sizeof item, sizeof tail);
  EXPECT_EQ(std::vector<WORD>(tail, tail + 5), (std::vector<WORD>{0xFFFF, 0x0081, u'x', 0, 0}));
}

TEST_F(DialogTest, CreatesEveryControlByIdAtItsPlaceInPixelsAndInitialisesOnce) {
  HWND seenDialog = nullptr;
  const INT_PTR result = Run([&](HWND dialog) {
    seenDialog = dialog;
    EXPECT_EQ(WindowClassName(dialog), u"#32770");
    RECT frame{};
    GetWindowRect(dialog, &frame);
    // 10, 20, 200, 100 units: x * 7 / 4, y * 13 / 8, rounded.
    EXPECT_EQ(frame, (RECT{18, 33, 368, 195}));
    RECT edit{};
    GetWindowRect(GetDlgItem(dialog, kEdit), &edit);
    EXPECT_EQ(edit, (RECT{18 + 14, 33 + 18, 18 + 222, 33 + 41}));
    EXPECT_EQ(WindowText(GetDlgItem(dialog, kEdit)), u"start");
    EXPECT_EQ(WindowClassName(GetDlgItem(dialog, kCombo)), u"ComboBox");
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(SendMessageW(GetDlgItem(dialog, kEdit), WM_GETFONT, 0, 0),
              SendMessageW(dialog, WM_GETFONT, 0, 0));
    RECT units{1, 1, 3, 3};
    ASSERT_TRUE(MapDialogRect(dialog, &units));
    EXPECT_EQ(units, (RECT{2, 2, 5, 5})) << "7/4 = 1.75 and 13/8 = 1.625 round up";
    ClickDialogButton(dialog, kPlain);
    EXPECT_FALSE(IsDialogEnded(dialog)) << "only the dialog procedure ends it";
    EXPECT_TRUE(EndDialog(dialog, 9));
    EXPECT_FALSE(IsWindowVisible(dialog));
  });
  EXPECT_EQ(result, 9);
  EXPECT_FALSE(IsWindow(seenDialog)) << "the dialog is gone when the run returns";
  EXPECT_EQ(seen_.initParam, 77);
  EXPECT_EQ(std::count(seen_.messages.begin(), seen_.messages.end(), WM_INITDIALOG), 1);
  EXPECT_NE(std::find(seen_.messages.begin(), seen_.messages.end(), WM_ACTIVATE),
            seen_.messages.end());
}

TEST_F(DialogTest, FocusGoesWhereInitialisationAsksAndEditsTellTheDialog) {
  Run([&](HWND dialog) {
    EXPECT_EQ(seen_.initFocus, GetDlgItem(dialog, kEdit)) << "the first control with a tab stop";
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, kEdit));
    seen_.commands.clear();
    FocusDialogItem(dialog, kCheck);
    FocusDialogItem(dialog, kEdit);
    TypeIntoDialogItem(dialog, kEdit, u"!");
    EXPECT_EQ(WindowText(GetDlgItem(dialog, kEdit)), u"!start");
    SelectDialogItemText(dialog, kEdit);
    TypeIntoDialogItem(dialog, kEdit, u"new");
    EXPECT_EQ(WindowText(GetDlgItem(dialog, kEdit)), u"new");
  });
  const std::pair<int, WORD> killed{kEdit, EN_KILLFOCUS};
  const std::pair<int, WORD> focused{kEdit, EN_SETFOCUS};
  ASSERT_GE(seen_.commands.size(), 2u);
  EXPECT_EQ(seen_.commands[0], killed);
  EXPECT_EQ(seen_.commands[1], focused);

  Procedure quiet;
  quiet.initAnswer = FALSE;
  procedure = &quiet;
  Run([](HWND) { EXPECT_EQ(GetFocus(), nullptr) << "FALSE leaves the focus alone"; });
}

TEST_F(DialogTest, TheAutoCheckBoxFlipsOnEveryClickAndTellsTheDialog) {
  Run([&](HWND dialog) {
    EXPECT_EQ(IsDlgButtonChecked(dialog, kCheck), BST_UNCHECKED);
    ClickDialogButton(dialog, kCheck);
    EXPECT_EQ(IsDlgButtonChecked(dialog, kCheck), BST_CHECKED);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, kCheck)) << "a click takes the focus";
    ClickDialogButton(dialog, kCheck);
    EXPECT_EQ(IsDlgButtonChecked(dialog, kCheck), BST_UNCHECKED);
    CheckDlgButton(dialog, kCheck, BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, kCheck), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, kPlain), BST_UNCHECKED) << "push buttons never check";
    EnableWindow(GetDlgItem(dialog, kCheck), FALSE);
    ClickDialogButton(dialog, kCheck);
    EXPECT_EQ(IsDlgButtonChecked(dialog, kCheck), BST_CHECKED) << "a disabled box ignores it";
  });
  const auto clicks = std::count(seen_.commands.begin(), seen_.commands.end(),
                                 std::pair<int, WORD>{kCheck, BN_CLICKED});
  EXPECT_EQ(clicks, 2);
}

TEST_F(DialogTest, OwnerDrawnButtonsAreDrawnByTheDialogAndLabelsTakeItsColours) {
  seen_.staticBrush = CreateSolidBrush(RGB(255, 255, 255));
  std::string picture;
  Run([&](HWND dialog) { picture = RenderDialogSvg(dialog); });
  ASSERT_EQ(seen_.drawn.size(), 1u);
  EXPECT_EQ(seen_.drawn[0].CtlType, ODT_BUTTON);
  EXPECT_EQ(seen_.drawn[0].CtlID, static_cast<UINT>(kDrawn));
  EXPECT_EQ(seen_.drawn[0].rcItem, (RECT{0, 0, 51, 21}));
  EXPECT_NE(picture.find("fill=\"#010203\">Check</text>"), std::string::npos) << picture;
  EXPECT_NE(picture.find(">start</text>"), std::string::npos);
  EXPECT_NE(picture.find(">Cancel</text>"), std::string::npos);
  EXPECT_NE(picture.find("<rect x=\"0\" y=\"0\" width=\"350\" height=\"162\" fill=\"#F0F0F0\"/>"),
            std::string::npos)
      << "the dialog's own background when it gives no brush";
  DeleteObject(seen_.staticBrush);
}

TEST_F(DialogTest, WithoutAResponderTheCloseBoxCancelsAndAStubbornDialogIsCancelledAnyway) {
  EXPECT_EQ(Run(nullptr), IDCANCEL);
  EXPECT_EQ(std::count(seen_.commands.begin(), seen_.commands.end(),
                       std::pair<int, WORD>{IDCANCEL, BN_CLICKED}),
            1);

  seen_ = {};
  seen_.ignoreCancel = true;
  EXPECT_EQ(Run([](HWND) {}), IDCANCEL);

  seen_ = {};
  seen_.endInInit = true;
  bool responderRan = false;
  EXPECT_EQ(Run([&](HWND) { responderRan = true; }), 42);
  EXPECT_FALSE(responderRan) << "a dialog ended while initialising is never shown";
}

TEST_F(DialogTest, TheOwnerIsDisabledWhileTheDialogRunsAndThePositionCountsFromIt) {
  testing::MessageLog log;
  HWND owner = testing::CreateRecordingWindow(log, nullptr, WS_VISIBLE);
  MoveWindow(owner, 100, 200, 400, 300, FALSE);
  Run(
      [&](HWND dialog) {
        EXPECT_FALSE(IsWindowEnabled(owner));
        RECT frame{};
        GetWindowRect(dialog, &frame);
        EXPECT_EQ(frame.left, 118);
        EXPECT_EQ(frame.top, 233);
      },
      owner);
  EXPECT_TRUE(IsWindowEnabled(owner));
  DestroyWindow(owner);
}

TEST_F(DialogTest, ChoosingAListEntryTellsTheDialog) {
  Run([&](HWND dialog) {
    HWND combo = GetDlgItem(dialog, kCombo);
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"one"));
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"two"));
    ASSERT_TRUE(ChooseDialogListEntry(dialog, kCombo, 1));
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_FALSE(ChooseDialogListEntry(dialog, 999, 0));
  });
  const auto chosen = std::count(seen_.commands.begin(), seen_.commands.end(),
                                 std::pair<int, WORD>{kCombo, CBN_SELCHANGE});
  EXPECT_EQ(chosen, 1);
}

TEST(PasswordEdit, ShowsItsMaskCharacterOnceSetAndKeepsTheTextItself) {
  HWND edit = CreateWindowExW(0, WC_EDITW, u"plain", WS_VISIBLE, 0, 0, 100, 20, nullptr, nullptr,
                              nullptr, nullptr);
  EXPECT_EQ(SendMessageW(edit, EM_GETPASSWORDCHAR, 0, 0), 0);
  SendMessageW(edit, EM_SETPASSWORDCHAR, u'*', 0);
  EXPECT_EQ(SendMessageW(edit, EM_GETPASSWORDCHAR, 0, 0), u'*');
  EXPECT_TRUE(GetWindowLongPtrW(edit, GWL_STYLE) & ES_PASSWORD);
  EXPECT_EQ(WindowText(edit), u"plain");
  SendMessageW(edit, EM_SETPASSWORDCHAR, 0, 0);
  EXPECT_FALSE(GetWindowLongPtrW(edit, GWL_STYLE) & ES_PASSWORD);
  DestroyWindow(edit);

  HWND born = CreateWindowExW(0, WC_EDITW, u"", ES_PASSWORD, 0, 0, 100, 20, nullptr, nullptr,
                              nullptr, nullptr);
  EXPECT_EQ(SendMessageW(born, EM_GETPASSWORDCHAR, 0, 0), u'*');
  DestroyWindow(born);
}

TEST(MessageBox, IsRecordedAndAnsweredOk) {
  TakeMessageBoxes();
  EXPECT_EQ(MessageBoxW(nullptr, u"Text", u"Caption", MB_OK | MB_ICONEXCLAMATION), IDOK);
  EXPECT_EQ(MessageBoxW(nullptr, u"Second", nullptr, MB_OK), IDOK);
  const auto boxes = TakeMessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, u"Text");
  EXPECT_EQ(boxes[0].caption, u"Caption");
  EXPECT_EQ(boxes[0].type, MB_OK | MB_ICONEXCLAMATION);
  EXPECT_EQ(boxes[1].caption, u"");
  EXPECT_TRUE(TakeMessageBoxes().empty());
}

TEST(WaitCursor, IsACursorOfItsOwn) {
  EXPECT_NE(LoadCursorW(nullptr, IDC_WAIT), nullptr);
  EXPECT_NE(LoadCursorW(nullptr, IDC_WAIT), LoadCursorW(nullptr, IDC_ARROW));
}

}  // namespace
}  // namespace platform::ui
