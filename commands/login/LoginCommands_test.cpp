#include "commands/login/LoginCommands.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "commands/login/CDialogLogin.h"
#include "commands/login/LoginTexts.h"
#include "commands/testing/ProductTab.h"
#include "platform/automation/Bstr.h"
#include "platform/browser/BrowserObject.h"
#include "platform/com/ComInit.h"
#include "platform/html/HtmlDocument.h"
#include "platform/resources/Bitmap.h"
#include "platform/resources/ModuleResources.h"
#include "platform/text/CodePage.h"
#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Mouse.h"
#include "platform/ui/SvgRender.h"
#include "session/GlobalSinglton.h"
#include "session/settings/ProductSettings.h"
#include "tools/refservice/ReferenceService.h"

namespace commands {
namespace {

using testing::ProductTab;

constexpr char kAliceId[] = "9F3A7C21E4B04D55";
constexpr char kAliceSso[] = "SSO-ALICE-7d1e2f";
constexpr int kAliceQuestion = 1;  // "Your school mascot", the second entry

// What the person at the dialog does, in order; the dialog as they found it
// is kept for the checks.
using Script = std::function<void(HWND dialog)>;

class LoginTest : public testing::ProductCommandsTest {
 protected:
  LoginTest() { session::testing::CreateSettingsKey(); }

  // Clicks the login button with `script` playing the member; false when no
  // dialog opened.
  bool ClickLogin(ProductTab& tab, const Script& script) {
    bool opened = false;
    const platform::ui::ScopedDialogResponder responder([&](HWND dialog) {
      opened = true;
      script(dialog);
    });
    tab.Click(kLoginCommand);
    platform::WaitForWorkerThreads();
    return opened;
  }

  // The Login calls the service received, as the parameters it read.
  std::vector<std::map<std::string, std::string>> LoginCalls() const {
    std::vector<std::map<std::string, std::string>> calls;
    for (const auto& request : service_.Requests()) {
      if (request.operation != "Login") continue;
      auto& call = calls.emplace_back();
      for (const auto& parameter : request.parameters) call[parameter.name] = parameter.text;
    }
    return calls;
  }
  std::vector<std::string> AutoLoginTargets() const {
    std::vector<std::string> targets;
    for (const auto& request : service_.Requests()) {
      if (request.operation == "autologin") targets.push_back(request.http.target);
    }
    return targets;
  }

  static void FillInAlice(HWND dialog) {
    platform::ui::SelectDialogItemText(dialog, kEmailEditId);
    platform::ui::TypeIntoDialogItem(dialog, kEmailEditId, u"alice@example.com");
    platform::ui::TypeIntoDialogItem(dialog, kPasswordEditId, u"tulip-42");
    platform::ui::ChooseDialogListEntry(dialog, kQuestionComboId, kAliceQuestion);
    platform::ui::TypeIntoDialogItem(dialog, kAnswerEditId, u"rex");
  }

  refservice::ReferenceService service_;
  Env loginUtils_{"VIMARU_UTILS_ENDPOINT", service_.UtilsEndpoint()};
  Env loginSite_{"VIMARU_WEB_SITE", service_.BaseUrl() + "/"};
  // The browser's window threads are COM apartments; the browser window
  // serves the web-browser control the dialog shows its page in.
  platform::ScopedComInit apartment_;
  platform::ComPtr<platform::BrowserObject> browserWindow_ = platform::CreateBrowserWindow();
};

TEST_F(LoginTest, TheButtonReadsLoginOrLogOutAsTheSessionStandsAndTheSwitchShowsTheStoredValue) {
  {
    ProductTab tab;
    EXPECT_EQ(tab.Command(kLoginCommand)->Text(), "  Login");
    EXPECT_TRUE(tab.Command(kLoginCommand)->IsEnabled());
    EXPECT_EQ(tab.Command(kAutoLoginCommand)->Text(), "Auto Login                Off");
    EXPECT_EQ(std::string(kAutoLoginActiveText).size(), 29u);
    EXPECT_EQ(std::string(kAutoLoginOffText).size(), 29u);
  }
  session::testing::StoreSetting("AutoLoggin", "true");
  session::testing::StoreSetting("MemberId", kAliceId);
  ProductTab tab;
  EXPECT_EQ(tab.Command(kLoginCommand)->Text(), "  Log out");
  EXPECT_EQ(tab.Command(kAutoLoginCommand)->Text(), "Auto Login             Active");
  session::GlobalSinglton::SetSsoToken({});
}

TEST_F(LoginTest, TheDialogOpensWithItsControlsPlaceholdersQuestionsAndPage) {
  session::testing::StoreSetting("AutoLoggin", "true");
  ProductTab tab;
  std::vector<std::u16string> questions;
  ASSERT_TRUE(ClickLogin(tab, [&](HWND dialog) {
    EXPECT_EQ(GetWindowLongPtrW(dialog, GWL_STYLE) & (WS_POPUP | WS_CHILD), WS_POPUP);
    RECT frame{};
    GetWindowRect(dialog, &frame);
    EXPECT_EQ(frame.right - frame.left, 460) << "263 dialog units";
    EXPECT_EQ(frame.bottom - frame.top, 104) << "64 dialog units";
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    EXPECT_EQ(std::u16string(font.lfFaceName), u"MS Shell Dlg");

    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, kEmailEditId));
    EXPECT_EQ(platform::ui::WindowText(GetDlgItem(dialog, kEmailEditId)), u"Email");
    EXPECT_EQ(platform::ui::WindowText(GetDlgItem(dialog, kPasswordEditId)), u"Password");
    EXPECT_EQ(platform::ui::WindowText(GetDlgItem(dialog, kAnswerEditId)), u"Answer");
    EXPECT_EQ(platform::ui::WindowText(GetDlgItem(dialog, kKeepLoggedInCheckId)),
              u"Keep me logged in");
    EXPECT_EQ(IsDlgButtonChecked(dialog, kKeepLoggedInCheckId), BST_CHECKED);
    HWND combo = GetDlgItem(dialog, kQuestionComboId);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(combo, &info));
    EXPECT_EQ(platform::ui::WindowText(info.hwndItem), u"Question");
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      WCHAR text[64]{};
      SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      questions.emplace_back(text);
    }
    EXPECT_EQ(GetWindowLongPtrW(GetDlgItem(dialog, IDOK), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_EQ(GetWindowLongPtrW(GetDlgItem(dialog, IDCANCEL), GWL_STYLE) & BS_TYPEMASK,
              BS_OWNERDRAW);

    const std::string picture = platform::ui::RenderDialogSvg(dialog);
    EXPECT_NE(picture.find("Forgot password"), std::string::npos) << "the page shows";
    EXPECT_NE(picture.find("stroke=\"#B8B8B8\""), std::string::npos) << "the page's border";
    EXPECT_NE(picture.find("fill=\"#969696\">Keep me logged in"), std::string::npos) << picture;
    for (const char* button : {"id=\"item-1\">\n<image", "id=\"item-2\">\n<image"})
      EXPECT_NE(picture.find(button), std::string::npos) << button << " shows its bitmap";
  }));
  EXPECT_EQ(questions,
            std::vector<std::u16string>(kSecurityQuestions.begin(), kSecurityQuestions.end()));
  EXPECT_EQ(questions.back(), u"City you were born in");
}

TEST_F(LoginTest, DialogUnitsArePixelsAsMapDialogRectMakesThemAndEveryControlSitsThere) {
  ProductTab tab;
  ASSERT_TRUE(ClickLogin(tab, [](HWND dialog) {
    struct Placed {
      int id;
      RECT units;
      RECT pixels;
    };
    // x * 7 / 4 and y * 13 / 8, rounded as MulDiv rounds.
    const Placed placed[] = {
        {kEmailEditId, {8, 11, 127, 25}, {14, 18, 222, 41}},
        {kPasswordEditId, {8, 27, 127, 41}, {14, 44, 222, 67}},
        {kAnswerEditId, {135, 27, 254, 41}, {236, 44, 445, 67}},
        {kKeepLoggedInCheckId, {117, 49, 191, 59}, {205, 80, 334, 96}},
        {IDOK, {225, 46, 254, 59}, {394, 75, 445, 96}},
        {IDCANCEL, {254, 2, 262, 8}, {445, 3, 459, 13}},
    };
    RECT dialogRect{};
    GetWindowRect(dialog, &dialogRect);
    for (const Placed& control : placed) {
      RECT mapped = control.units;
      ASSERT_TRUE(MapDialogRect(dialog, &mapped));
      EXPECT_EQ(mapped, control.pixels) << control.id;
      RECT onScreen{};
      GetWindowRect(GetDlgItem(dialog, control.id), &onScreen);
      EXPECT_EQ(onScreen.left - dialogRect.left, control.pixels.left) << control.id;
      EXPECT_EQ(onScreen.top - dialogRect.top, control.pixels.top) << control.id;
      EXPECT_EQ(onScreen.right - dialogRect.left, control.pixels.right) << control.id;
    }
    RECT notADialog{0, 0, 4, 8};
    EXPECT_FALSE(MapDialogRect(GetDlgItem(dialog, kEmailEditId), &notADialog));
  }));
}

TEST_F(LoginTest, AnUntouchedDialogSendsThePlaceholdersAndQuestionZeroAndFailsAsTyped) {
  ProductTab tab;
  bool closedByOk = false;
  ASSERT_TRUE(ClickLogin(tab, [&](HWND dialog) {
    platform::ui::ClickDialogButton(dialog, IDOK);
    closedByOk = platform::ui::IsDialogEnded(dialog);
  }));
  EXPECT_TRUE(closedByOk) << "a failed login still closes the dialog";
  const auto calls = LoginCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].at("Email"), "Email");
  EXPECT_EQ(calls[0].at("Password"), "Password");
  EXPECT_EQ(calls[0].at("SecurityQuestionId"), "0");
  EXPECT_EQ(calls[0].at("SecurityQuestionAnswer"), "Answer");
  EXPECT_EQ(calls[0].at("OfferID"), "60");
  const std::string body = service_.Requests().front().http.body;
  EXPECT_NE(body.find("<Email>Email</Email><Password>Password</Password>"
                      "<SecurityQuestionId>0</SecurityQuestionId>"
                      "<SecurityQuestionAnswer>Answer</SecurityQuestionAnswer>"
                      "<OfferID>60</OfferID>"),
            std::string::npos)
      << body;

  const auto boxes = platform::ui::TakeMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"Login failed. Please try again.");
  EXPECT_EQ(boxes[0].type, MB_OK);
  EXPECT_FALSE(session::GlobalSinglton::IsMember());
  EXPECT_EQ(tab.Command(kLoginCommand)->Text(), "  Login");
  EXPECT_TRUE(AutoLoginTargets().empty()) << "a failed login tells the web site nothing";
  EXPECT_NE(GetCursor(), LoadCursorW(nullptr, IDC_WAIT)) << "the wait cursor went with the call";
}

TEST_F(LoginTest, ChoosingTheLastQuestionSendsEight) {
  ProductTab tab;
  ASSERT_TRUE(ClickLogin(tab, [](HWND dialog) {
    platform::ui::ChooseDialogListEntry(dialog, kQuestionComboId, 7);
    platform::ui::ClickDialogButton(dialog, IDOK);
  }));
  const auto calls = LoginCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].at("SecurityQuestionId"), "8");
  platform::ui::TakeMessageBoxes();
}

TEST_F(LoginTest, ASuccessfulLoginWithAutoLoginOffForgetsAStoredIdentity) {
  session::testing::StoreSetting("AutoLoggin", "false");
  ProductTab tab;
  ProductTab other;
  // Left by an earlier session that kept the member logged in.
  session::testing::StoreSetting("MemberId", "OLD-MEMBER");
  session::testing::StoreSetting("SSO", "OLD-SSO");
  ASSERT_TRUE(ClickLogin(tab, [](HWND dialog) {
    FillInAlice(dialog);
    platform::ui::ClickDialogButton(dialog, IDOK);
  }));
  const auto calls = LoginCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].at("Email"), "alice@example.com");
  EXPECT_EQ(calls[0].at("SecurityQuestionId"), "2");
  EXPECT_EQ(session::ReadMemberId(), "");
  EXPECT_EQ(session::ReadSso(), "");
  EXPECT_EQ(session::GlobalSinglton::MemberId(), kAliceId);
  EXPECT_EQ(session::GlobalSinglton::SsoToken(), kAliceSso);
  EXPECT_TRUE(session::GlobalSinglton::IsMember());
  EXPECT_EQ(tab.Command(kLoginCommand)->Text(), "  Log out");
  EXPECT_EQ(other.Command(kLoginCommand)->Text(), "  Log out");
  EXPECT_EQ(AutoLoginTargets(),
            std::vector<std::string>{"/autologin.aspx?sso=SSO-ALICE-7d1e2f&AutoLogin=0"});
  EXPECT_TRUE(platform::ui::TakeMessageBoxes().empty());
  session::GlobalSinglton::SetMemberId({});
  session::GlobalSinglton::SetSsoToken({});
}

TEST_F(LoginTest, TheCheckBoxClickedOnceTurnsTheSwitchBeforeTheLoginAndTwiceLeavesIt) {
  struct Case {
    int clicks;
    bool switchAfter;
    const char* storedMemberId;
  };
  for (const Case& c : {Case{1, true, kAliceId}, Case{2, false, ""}}) {
    SCOPED_TRACE(c.clicks);
    session::WriteAutoLoggin(false);
    session::WriteMemberId({});
    session::WriteSso({});
    service_.ClearRequests();
    ProductTab tab;
    ASSERT_TRUE(ClickLogin(tab, [&](HWND dialog) {
      FillInAlice(dialog);
      for (int i = 0; i < c.clicks; ++i)
        platform::ui::ClickDialogButton(dialog, kKeepLoggedInCheckId);
      platform::ui::ClickDialogButton(dialog, IDOK);
    }));
    EXPECT_EQ(session::ReadAutoLoggin(), c.switchAfter);
    // Stored only when the switch was on as the answer came in.
    EXPECT_EQ(session::ReadMemberId(), c.storedMemberId);
    EXPECT_EQ(tab.Command(kAutoLoginCommand)->Text(),
              c.switchAfter ? kAutoLoginActiveText : kAutoLoginOffText);
    session::GlobalSinglton::SetMemberId({});
    session::GlobalSinglton::SetSsoToken({});
  }
}

TEST_F(LoginTest, CancelWithAChangedCheckBoxChangesNothing) {
  ProductTab tab;
  ASSERT_TRUE(ClickLogin(tab, [](HWND dialog) {
    FillInAlice(dialog);
    platform::ui::ClickDialogButton(dialog, kKeepLoggedInCheckId);
    platform::ui::ClickDialogButton(dialog, IDCANCEL);
    EXPECT_TRUE(platform::ui::IsDialogEnded(dialog));
  }));
  EXPECT_FALSE(session::ReadAutoLoggin());
  EXPECT_TRUE(LoginCalls().empty());
  EXPECT_TRUE(AutoLoginTargets().empty());
  EXPECT_FALSE(session::GlobalSinglton::IsMember());
  EXPECT_EQ(tab.Command(kAutoLoginCommand)->Text(), kAutoLoginOffText);
}

TEST_F(LoginTest, WithNobodyAtTheDialogItClosesAsItsCloseBoxWouldAndNothingHappens) {
  ProductTab tab;
  tab.Click(kLoginCommand);
  platform::WaitForWorkerThreads();
  EXPECT_EQ(service_.RequestCount(), 0u);
  EXPECT_TRUE(platform::ui::TakeMessageBoxes().empty());
}

TEST_F(LoginTest, PlaceholdersGoOnTheFirstFocusOnlyWhenTheyAreExactlyThePlaceholder) {
  ProductTab tab;
  ASSERT_TRUE(ClickLogin(tab, [](HWND dialog) {
    HWND password = GetDlgItem(dialog, kPasswordEditId);
    EXPECT_EQ(SendMessageW(password, EM_GETPASSWORDCHAR, 0, 0), 0) << "plain letters";
    EXPECT_NE(platform::ui::RenderDialogSvg(dialog).find(">Password</text>"), std::string::npos);

    platform::ui::TypeIntoDialogItem(dialog, kPasswordEditId, u"abc");
    EXPECT_EQ(platform::ui::WindowText(password), u"abc");
    EXPECT_EQ(SendMessageW(password, EM_GETPASSWORDCHAR, 0, 0), u'*');
    const std::string picture = platform::ui::RenderDialogSvg(dialog);
    EXPECT_NE(picture.find(">***</text>"), std::string::npos);
    EXPECT_EQ(picture.find(">abc</text>"), std::string::npos);

    // Another letter case is the member's own text.
    SetDlgItemTextW(dialog, kAnswerEditId, u"answer");
    platform::ui::FocusDialogItem(dialog, kAnswerEditId);
    EXPECT_EQ(platform::ui::WindowText(GetDlgItem(dialog, kAnswerEditId)), u"answer");
    // The e-mail field got its placeholder back after the dialog's own
    // focus change; leaving it and coming back empties it.
    platform::ui::FocusDialogItem(dialog, kEmailEditId);
    EXPECT_EQ(platform::ui::WindowText(GetDlgItem(dialog, kEmailEditId)), u"");
    // The question box keeps whatever it shows.
    platform::ui::FocusDialogItem(dialog, kQuestionComboId);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(GetDlgItem(dialog, kQuestionComboId), &info);
    EXPECT_EQ(platform::ui::WindowText(info.hwndItem), u"Question");
  }));
}

TEST_F(LoginTest, LogOutTellsTheWebSiteTheOldTokenThenForgetsTheMemberEverywhere) {
  session::testing::StoreSetting("MemberId", kAliceId);
  session::testing::StoreSetting("SSO", kAliceSso);
  session::testing::StoreSetting("AutoLoggin", "true");
  ProductTab tab;
  ProductTab other;
  ASSERT_TRUE(session::GlobalSinglton::IsMember()) << "the session started from the registry";
  EXPECT_EQ(other.Command(kLoginCommand)->Text(), "  Log out");
  EXPECT_FALSE(ClickLogin(tab, [](HWND) {})) << "logging out opens no dialog";
  EXPECT_EQ(AutoLoginTargets(),
            std::vector<std::string>{"/autologin.aspx?sso=SSO-ALICE-7d1e2f&AutoLogin=0"});
  EXPECT_FALSE(session::GlobalSinglton::IsMember());
  EXPECT_EQ(session::GlobalSinglton::MemberId(), "");
  EXPECT_EQ(session::GlobalSinglton::SsoToken(), "");
  EXPECT_EQ(session::ReadMemberId(), "");
  EXPECT_EQ(session::ReadSso(), "");
  EXPECT_TRUE(session::ReadAutoLoggin()) << "the switch is the member's choice";
  EXPECT_EQ(tab.Command(kLoginCommand)->Text(), "  Login");
  EXPECT_EQ(other.Command(kLoginCommand)->Text(), "  Login");
  EXPECT_TRUE(tab.Pages().empty());
  EXPECT_TRUE(LoginCalls().empty());
}

TEST_F(LoginTest, TheSwitchStoresOrForgetsTheIdentityAndLeavesTheSessionAlone) {
  ProductTab tab;
  ProductTab other;
  // Logged in for this session only, as after a login with the switch off.
  session::GlobalSinglton::SetMemberId(kAliceId);
  session::GlobalSinglton::SetSsoToken(kAliceSso);
  tab.Click(kAutoLoginCommand);
  platform::WaitForWorkerThreads();
  EXPECT_TRUE(session::ReadAutoLoggin());
  EXPECT_EQ(session::ReadMemberId(), kAliceId);
  EXPECT_EQ(session::ReadSso(), kAliceSso);
  EXPECT_EQ(tab.Command(kAutoLoginCommand)->Text(), kAutoLoginActiveText);
  EXPECT_EQ(other.Command(kAutoLoginCommand)->Text(), kAutoLoginActiveText);

  tab.Click(kAutoLoginCommand);
  platform::WaitForWorkerThreads();
  EXPECT_FALSE(session::ReadAutoLoggin());
  EXPECT_EQ(session::ReadMemberId(), "");
  EXPECT_EQ(session::ReadSso(), "");
  EXPECT_EQ(other.Command(kAutoLoginCommand)->Text(), kAutoLoginOffText);
  EXPECT_EQ(AutoLoginTargets(),
            (std::vector<std::string>{"/autologin.aspx?sso=SSO-ALICE-7d1e2f&AutoLogin=1",
                                      "/autologin.aspx?sso=SSO-ALICE-7d1e2f&AutoLogin=0"}));
  EXPECT_EQ(session::GlobalSinglton::MemberId(), kAliceId);
  EXPECT_EQ(session::GlobalSinglton::SsoToken(), kAliceSso);
  EXPECT_TRUE(session::GlobalSinglton::IsMember());
  session::GlobalSinglton::SetMemberId({});
  session::GlobalSinglton::SetSsoToken({});
}

TEST(LoginDialogResources, ThePageIsAWhiteBorderedBodyWithTheForgotPasswordLink) {
  const auto page = platform::FindModuleResource("HTML", "LOGIN.HTM");
  ASSERT_TRUE(page);
  const auto document = platform::Make<platform::html::HtmlDocument>(u"res://module/login.htm");
  document->LoadPage(*page);
  platform::ComPtr<IHTMLElement> body;
  ASSERT_EQ(document->get_body(body.ReleaseAndGetAddressOf()), S_OK);
  platform::Bstr id;
  ASSERT_EQ(body->get_id(id.Receive()), S_OK);
  EXPECT_EQ(id.String(), u"CDialogLogin");
  const std::string_view text = *page;
  for (const char* part :
       {"background-color: #ffffff", "border: 1px solid #b8b8b8",
        "href=\"https://www.vimaru.com/public/forgotpassword.aspx\" target=\"_blank\"",
        "top: 78px; left: 3px; font-family: 'Arial Unicode MS'; font-size: 11px; color: #000000; "
        "text-decoration: none\">Forgot password</a>",
        "a:link, a:visited, a:hover, a:active { color: #000000; text-decoration: none; }"}) {
    EXPECT_NE(text.find(part), std::string_view::npos) << part;
  }
}

TEST(LoginDialogResources, TheButtonBitmapsFitTheirButtonsOnTheMaskColour) {
  constexpr std::uint32_t kMaskPixel = 0xF0F0E2;  // 14872816 as a COLORREF
  const auto ok = platform::LoadBitmapResource(kLoginOkBitmap);
  const auto close = platform::LoadBitmapResource(kLoginCancelBitmap);
  ASSERT_TRUE(ok);
  ASSERT_TRUE(close);
  EXPECT_LE(ok->width, 51);  // the OK button is 29 by 13 dialog units: 51 by 21 pixels
  EXPECT_LE(ok->height, 21);
  EXPECT_LE(close->width, 14);  // the close box is 8 by 6: 14 by 10
  EXPECT_LE(close->height, 10);
  EXPECT_EQ(ok->At(0, 0), kMaskPixel) << "rounded corners";
  EXPECT_EQ(close->At(close->width / 2, 1), kMaskPixel);
}

}  // namespace
}  // namespace commands
