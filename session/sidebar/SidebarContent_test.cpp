#include "session/sidebar/SidebarContent.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/registry/RegistryKey.h"
#include "platform/registry/RegistryTestHooks.h"
#include "platform/text/CodePage.h"
#include "soap/ServiceConfig.h"

namespace session {
namespace {

// The fixed script and style sheet as the sidebar has always sent them,
// one documented piece per line.
// clang-format off
constexpr std::u16string_view kScript =
    u"<script defer>var qxLastClick='';var qxNoClick=0;var qxIsOpenAd=false;function QxAdClick(){var hd = document.getElementById('hdNewElements');if(hd != null) {if(hd.value != ''){qxNoClick = 0; hd.value = '';}} var aa=new Date();"
    u"if(qxNoClick<2&&(qxLastClick==''||(aa-qxLastClick)>=8000)){qxLastClick=aa;qxIsOpenAd=true;qxNoClick++;return true;}"
    u"else{qxIsOpenAd=false;return false;}}  "
    u"function QxGlobalClick(){var ba=new Date();if(qxIsOpenAd||qxLastClick==''||(ba-qxLastClick)>=8000){qxIsOpenAd=false;return true;}"
    u"else{return false;}} "
    u"function CreateVimaruPopup(url){"
    u"var win=window.open('',\"win\",\"toolbar=0,scrollbars=0,location=0,statusbar=0,menubar=0,resizable=1\");win.document.open(\"text/html\", \"replace\"); "
    u"win.document.write('<html><head><title>Ads by QX</title><scr' + 'ipt>var start=new Date();\t"
    u"function closePopup(){var end = null; do{end = new Date();} while(end-start<10000);}</scr' + 'ipt>');win.document.write('</head><body style=\"margin:0px\" onbeforeunload=\"closePopup();\">');win.document.write('<iframe src=\"' + url + '\" width=\"100%\" height=\"100%\" frameborder=\"0\"></iframe>');win.document.write('</body></html>');win.document.close();win.focus();return win;}"
    u"</script>";

constexpr std::u16string_view kStyle =
    u"<style type=\"text/css\">"
    u"* { margin: 0; padding: 0; background-color: #ffffff; overflow:hidden; }"
    u"div.parent { margin:2px 0px 0px 0px; background-color:#FFFFFF; overflow:hidden; }"
    u"a.qx { text-decoration:none; }"
    u"div.adTop { color:#0000FF; text-align: center; font-family: Verdana, Arial, Helvetica, sans-serif; font-size: 11px; }"
    u"#loading { text-align: center; margin: 10px 10px 20px 0px; color: #fb6600; font-family: Verdana, Arial, Helvetica, sans-serif; font-size: 11px; }"
    u"div#right { float:right; margin-right:10px; font-size:11px; }"
    u"div.parent span.blue { color:#030397; font-weight:bold; }"
    u"div.parent span.orange { color:#FF6600; font-weight:bold; }"
    u"div.text { font-family:verdana; color:#999999; font-size:11px; margin-left:3px; }"
    u"div#border { border-bottom:1px solid #C9C9C9; }"
    u"div.adholder { margin-bottom: 10px; margin-left:15px; text-align:left; padding-top:5px; }"
    u"div.adholder#last { margin-bottom:5px; }"
    u"div.adholder p.seemore a { width:23px; height:12px; margin-right:5px; float:right; overflow: hidden; outline:none; display:block; text-indent:-9999px; background:url(../images/magnify.gif); }"
    u"div.adholder h3.adheader { font-size:10pt; font-family:arial; padding-left:0; padding-bottom:3px; }"
    u"div.adholder h3.adheader a { color:#0003FF; }"
    u"div.adholder p.adinfo { font-size:8pt; width:140px; font-family:Arial; color:#000000; padding-bottom:0; padding-left:0; line-height:1.2em; }"
    u"div.adholder p.adlink { padding-left:0; }"
    u"div.adholder p.adlink a { font-family:Arial; font-size:8pt; color:#056B00; text-decoration:underline; }"
    u"</style>";
// clang-format on

constexpr std::u16string_view kMarker =
    u"<input type='hidden' value='newElements' id='hdNewElements' name='hdNewElementsName'/>";
constexpr std::u16string_view kAdStart =
    u"<div class=\"adholder\"><h3 class=\"adheader\"><a href='javascript:void(0)'";
constexpr std::u16string_view kClickStart = u"onClick=\"if(QxAdClick()){ CreateVimaruPopup('";
constexpr std::u16string_view kClickEnd = u"');}\">";
constexpr std::u16string_view kAfterTitle = u"</a></h3><p class=\"adinfo\">";
constexpr std::u16string_view kAfterDescription =
    u"</p><p class=\"adlink\"><a href='javascript:void(0)'";
constexpr std::u16string_view kAdEnd = u"</a></p></div><hr size=1>";

// The build's deployment settings are plain ASCII (cmake/Endpoints.cmake
// checks them), so each byte is one code unit.
std::u16string Widen(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

std::u16string MemberHeading(std::u16string_view words) {
  return u"<div class=\"text\">" + std::u16string(words) + u"</div>";
}

std::u16string VisitorHeading(std::u16string_view href) {
  return u"<div class=\"adTop\">Time is Money. <a href=\"" + std::u16string(href) +
         u"\" target=\"_blank\" class=\"qx\">Join Free.</a></div>";
}

std::u16string BrandMark() {
  return u"<div class=\"text\" id=\"right\">ads by <a href=\"" + Widen(soap::kAdBrandSite) +
         u"\" target=\"_blank\" class=\"qx\"><span style=\"color:#030397; "
         u"font-weight:bold;\">Q</span><span style=\"color:#FF6600; "
         u"font-weight:bold;\">X</span></a></div></div>";
}

// `click` is what the fragment holds between the quotes of
// CreateVimaruPopup('...').
std::u16string ExpectedAd(std::u16string_view click, std::u16string_view title,
                          std::u16string_view description, std::u16string_view displayUrl) {
  const std::u16string tail =
      std::u16string(kClickStart) + std::u16string(click) + std::u16string(kClickEnd);
  return std::u16string(kAdStart) + tail + std::u16string(title) + std::u16string(kAfterTitle) +
         std::u16string(description) + std::u16string(kAfterDescription) + tail +
         std::u16string(displayUrl) + std::u16string(kAdEnd);
}

std::u16string ExpectedAdWithoutClick(std::u16string_view title, std::u16string_view description,
                                      std::u16string_view displayUrl) {
  return std::u16string(kAdStart) + u">" + std::u16string(title) + std::u16string(kAfterTitle) +
         std::u16string(description) + std::u16string(kAfterDescription) + u">" +
         std::u16string(displayUrl) + std::u16string(kAdEnd);
}

std::u16string ExpectedFragment(std::u16string_view heading, bool marked,
                                std::u16string_view adBlocks) {
  return std::u16string(kScript) + std::u16string(kStyle) + u"<div class=\"parent\">" +
         std::u16string(heading) + u"<hr size=1>" + (marked ? std::u16string(kMarker) : u"") +
         std::u16string(adBlocks) + BrandMark();
}

soap::ResultArray<soap::AdEntry> MakeAds(std::vector<soap::AdEntry> entries) {
  soap::ResultArray<soap::AdEntry> ads(entries.size());
  for (auto& entry : entries) ads.Append(std::move(entry));
  return ads;
}

soap::AdEntry NumberedAd(int number) {
  const std::u16string n(1, static_cast<char16_t>(u'0' + number));
  return {u"Title " + n, u"www.shop" + n + u".example", u"Description " + n,
          u"http://click.example/c?ad=" + n};
}

std::u16string NumberedAdBlock(int number) {
  const std::u16string n(1, static_cast<char16_t>(u'0' + number));
  return ExpectedAd(u"http://click.example/c?ad=" + n, u"Title " + n, u"Description " + n,
                    u"www.shop" + n + u".example");
}

// Compares as UTF-8 first, so a mismatch prints readably, then exactly.
void ExpectFragment(const std::u16string& actual, const std::u16string& expected) {
  EXPECT_EQ(platform::WideToUtf8(actual), platform::WideToUtf8(expected));
  EXPECT_TRUE(actual == expected);
}

TEST(SidebarContent, MemberHeadingAndMarkerFollowTheNumberOfAds) {
  struct Case {
    int ads;
    std::u16string_view heading;
  };
  for (const Case& c :
       {Case{0, u"No ads to display"}, Case{1, u"Choose Ad"}, Case{2, u"Choose Ads"},
        Case{3, u"Choose 2 Ads max"}, Case{5, u"Choose 2 Ads max"}}) {
    SCOPED_TRACE(c.ads);
    std::vector<soap::AdEntry> entries;
    std::u16string blocks;
    for (int i = 1; i <= c.ads; ++i) {
      entries.push_back(NumberedAd(i));
      blocks += NumberedAdBlock(i);
    }
    ExpectFragment(BuildSidebarContent(MakeAds(std::move(entries)), c.ads, true, {}),
                   ExpectedFragment(MemberHeading(c.heading), c.ads > 0, blocks));
  }
}

TEST(SidebarContent, ACountBeyondTheArrayShowsOnlyWhatTheArrayHolds) {
  const auto ads = MakeAds({NumberedAd(1), NumberedAd(2)});
  ExpectFragment(BuildSidebarContent(ads, 5, true, {}),
                 ExpectedFragment(MemberHeading(u"Choose Ads"), true,
                                  NumberedAdBlock(1) + NumberedAdBlock(2)));
  ExpectFragment(BuildSidebarContent(soap::ResultArray<soap::AdEntry>(), 3, true, {}),
                 ExpectedFragment(MemberHeading(u"No ads to display"), false, u""));
}

TEST(SidebarContent, ACountBelowTheArrayShowsTheFirstAds) {
  const auto ads = MakeAds({NumberedAd(1), NumberedAd(2), NumberedAd(3)});
  ExpectFragment(BuildSidebarContent(ads, 1, true, {}),
                 ExpectedFragment(MemberHeading(u"Choose Ad"), true, NumberedAdBlock(1)));
}

TEST(SidebarContent, ANegativeCountShowsNoAds) {
  const auto ads = MakeAds({NumberedAd(1)});
  for (int count : {-1, -5, INT_MIN}) {
    ExpectFragment(BuildSidebarContent(ads, count, true, {}),
                   ExpectedFragment(MemberHeading(u"No ads to display"), false, u""));
  }
}

TEST(SidebarContent, NullFieldsInsertNothing) {
  const auto ads = MakeAds({soap::AdEntry{}, soap::AdEntry{std::nullopt, std::nullopt, std::nullopt,
                                                           u"http://c.example/"}});
  ExpectFragment(BuildSidebarContent(ads, 2, true, {}),
                 ExpectedFragment(MemberHeading(u"Choose Ads"), true,
                                  ExpectedAdWithoutClick(u"", u"", u"") +
                                      ExpectedAd(u"http://c.example/", u"", u"", u"")));
}

TEST(SidebarContent, AdTextWithMarkupShowsItsCharactersLiterally) {
  const auto ads = MakeAds({soap::AdEntry{
      u"<b onmouseover=\"steal()\">Sale</b> & 'more'",
      u"www.shop.example/?a=1&b=\"2\"",
      u"</script><script>alert(document.cookie)</script>",
      u"https://click.example/c?ad=1&to=shop",
  }});
  ExpectFragment(
      BuildSidebarContent(ads, 1, true, {}),
      ExpectedFragment(
          MemberHeading(u"Choose Ad"), true,
          ExpectedAd(
              u"https://click.example/c?ad=1&amp;to=shop",
              u"&lt;b onmouseover=&quot;steal()&quot;&gt;Sale&lt;/b&gt; &amp; &#39;more&#39;",
              u"&lt;/script&gt;&lt;script&gt;alert(document.cookie)&lt;/script&gt;",
              u"www.shop.example/?a=1&amp;b=&quot;2&quot;")));
}

TEST(SidebarContent, AClickUrlIsPercentEncodedWhereItCouldLeaveItsString) {
  const auto ads = MakeAds(
      {soap::AdEntry{u"T", u"U", u"D",
                     u"HTTP://click.example/c?u=a'b\"c<d>\\e\nf g`{|}^&h=\u00e9\U0001F600%41#x"}});
  ExpectFragment(
      BuildSidebarContent(ads, 1, true, {}),
      ExpectedFragment(MemberHeading(u"Choose Ad"), true,
                       ExpectedAd(u"HTTP://click.example/c?u=a%27b%22c%3Cd%3E%5Ce%0Af%20g%60%7B%7C%"
                                  u"7D%5E&amp;h=%C3%A9%F0%9F%98%80%41#x",
                                  u"T", u"D", u"U")));
}

TEST(SidebarContent, AnAdWithoutAnHttpClickUrlHasNoClickAction) {
  for (const soap::SoapString& clickUrl :
       {soap::SoapString(), soap::SoapString(u""), soap::SoapString(u"javascript:alert(1)"),
        soap::SoapString(u"JaVaScRiPt:alert(1)"),
        soap::SoapString(u"data:text/html,<script>alert(1)</script>"),
        soap::SoapString(u"vbscript:msgbox(1)"), soap::SoapString(u" http://click.example/"),
        soap::SoapString(u"//click.example/"), soap::SoapString(u"ftp://click.example/"),
        soap::SoapString(u"http:click.example"), soap::SoapString(u"httpx://click.example/")}) {
    SCOPED_TRACE(platform::WideToUtf8(clickUrl.value_or(u"(null)")));
    const auto ads = MakeAds({soap::AdEntry{u"Title", u"www.shop.example", u"Text", clickUrl}});
    ExpectFragment(
        BuildSidebarContent(ads, 1, true, {}),
        ExpectedFragment(MemberHeading(u"Choose Ad"), true,
                         ExpectedAdWithoutClick(u"Title", u"Text", u"www.shop.example")));
  }
}

// What one ad block of a fragment holds between the documented pieces.
struct AdParts {
  bool clickable = false;
  std::u16string click;
  std::u16string title;
  std::u16string description;
  std::u16string displayUrl;
};

// Reads a fragment back along its documented structure; fails the test
// where the structure is not there.
class FragmentReader {
 public:
  explicit FragmentReader(std::u16string_view fragment) : rest_(fragment) {}

  bool Skip(std::u16string_view piece) {
    if (rest_.substr(0, piece.size()) != piece) return false;
    rest_.remove_prefix(piece.size());
    return true;
  }

  // The text up to `piece`, which is skipped too.
  std::u16string Until(std::u16string_view piece) {
    const std::size_t at = rest_.find(piece);
    EXPECT_NE(at, std::u16string_view::npos) << platform::WideToUtf8(piece);
    if (at == std::u16string_view::npos) return {};
    std::u16string text(rest_.substr(0, at));
    rest_.remove_prefix(at + piece.size());
    return text;
  }

  // The click URL of an anchor, or absent for an anchor without one.
  std::optional<std::u16string> AnchorClick() {
    if (Skip(u">")) return std::nullopt;
    EXPECT_TRUE(Skip(kClickStart));
    return Until(kClickEnd);
  }

  AdParts Ad() {
    AdParts parts;
    EXPECT_TRUE(Skip(kAdStart));
    const std::optional<std::u16string> titleClick = AnchorClick();
    parts.title = Until(kAfterTitle);
    parts.description = Until(kAfterDescription);
    const std::optional<std::u16string> linkClick = AnchorClick();
    parts.displayUrl = Until(kAdEnd);
    EXPECT_EQ(titleClick, linkClick);
    parts.clickable = titleClick.has_value();
    parts.click = titleClick.value_or(u"");
    return parts;
  }

  std::u16string_view Rest() const { return rest_; }

 private:
  std::u16string_view rest_;
};

bool HoldsAnyOf(std::u16string_view text, std::u16string_view units) {
  return text.find_first_of(units) != std::u16string_view::npos;
}

// The five entities the fragment uses, read back; anything else that starts
// with '&' is a fault of the escaping.
std::u16string UnescapeHtml(std::u16string_view text) {
  static constexpr std::pair<std::u16string_view, char16_t> kEntities[] = {
      {u"&amp;", u'&'}, {u"&lt;", u'<'}, {u"&gt;", u'>'}, {u"&quot;", u'"'}, {u"&#39;", u'\''}};
  std::u16string plain;
  while (!text.empty()) {
    bool matched = false;
    for (const auto& [entity, unit] : kEntities) {
      if (text.substr(0, entity.size()) == entity) {
        plain += unit;
        text.remove_prefix(entity.size());
        matched = true;
        break;
      }
    }
    if (matched) continue;
    EXPECT_NE(text.front(), u'&') << "a bare & in the fragment";
    plain += text.front();
    text.remove_prefix(1);
  }
  return plain;
}

// An ad's text as the page shows it: a NUL, which could end the fragment
// for a reader that stops at one, as U+FFFD.
std::u16string ShownAs(std::u16string text) {
  std::replace(text.begin(), text.end(), u'\0', u'\xFFFD');
  return text;
}

TEST(SidebarContent, NothingAHostileAdSendsBecomesMarkupOrScript) {
  struct Hostile {
    soap::AdEntry ad;
    bool clickable;
  };
  const std::vector<Hostile> hostile = {
      {{u"<script>alert(1)</script>", u"\"><img src=x onerror=alert(1)>", u"'; alert(1); '",
        u"javascript:alert(1)"},
       false},
      {{u"</a></h3><a href='javascript:evil()'>", u"' onmouseover='evil()",
        u"\" onmouseover=\"evil()", u"http://x/');evil();('"},
       true},
      {{u"&lt;already escaped&gt; &amp;", u"<!--", u"]]><![CDATA[", u"http://x/\\');evil();//"},
       true},
      {{u"\u2028\u2029", u"<svg/onload=alert(1)>", u"</style><style>*{}</style>",
        u"https://x/\"onmouseover=\"evil()"},
       true},
      {{u"\u00e9\u4e2d\U0001F600", std::u16string(u"nul\0inside", 10), u"`${evil}`",
        u"HtTpS://x/\r\n<script>\u2028\u00e9"},
       true},
  };
  std::vector<soap::AdEntry> entries;
  for (const Hostile& h : hostile) entries.push_back(h.ad);
  const auto ads = MakeAds(entries);
  const std::u16string fragment = BuildSidebarContent(ads, 5, true, {});

  FragmentReader reader(fragment);
  ASSERT_TRUE(reader.Skip(kScript));
  ASSERT_TRUE(reader.Skip(kStyle));
  ASSERT_TRUE(reader.Skip(u"<div class=\"parent\">"));
  ASSERT_TRUE(reader.Skip(MemberHeading(u"Choose 2 Ads max")));
  ASSERT_TRUE(reader.Skip(u"<hr size=1>"));
  ASSERT_TRUE(reader.Skip(kMarker));
  for (const auto& [ad, clickable] : hostile) {
    SCOPED_TRACE(platform::WideToUtf8(*ad.ClickUrl));
    const AdParts parts = reader.Ad();
    for (const std::u16string& text : {parts.title, parts.description, parts.displayUrl}) {
      EXPECT_FALSE(HoldsAnyOf(text, u"<>\"'")) << platform::WideToUtf8(text);
    }
    EXPECT_EQ(UnescapeHtml(parts.title), ShownAs(*ad.Title));
    EXPECT_EQ(UnescapeHtml(parts.displayUrl), ShownAs(*ad.Url));
    EXPECT_EQ(UnescapeHtml(parts.description), ShownAs(*ad.Description));

    EXPECT_EQ(parts.clickable, clickable);
    if (!parts.clickable) continue;
    const std::u16string click = UnescapeHtml(parts.click);
    for (char16_t unit : click) {
      EXPECT_TRUE(unit > 0x20 && unit < 0x7F) << "unit " << static_cast<int>(unit);
      EXPECT_FALSE(HoldsAnyOf(std::u16string_view(&unit, 1), u"<>\"'\\`{}|^"));
    }
  }
  EXPECT_TRUE(reader.Skip(BrandMark()));
  EXPECT_TRUE(reader.Rest().empty());
}

class VisitorSidebarTest : public ::testing::Test {
 protected:
  void Store(const char* name, std::string_view text) {
    platform::RegistryKey key;
    ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, kReferralKey), ERROR_SUCCESS);
    ASSERT_EQ(key.SetValue(name, REG_SZ, text.data(), static_cast<DWORD>(text.size())),
              ERROR_SUCCESS);
  }

  void ExpectJoinLink(std::u16string_view href) {
    const auto ads = MakeAds({NumberedAd(1)});
    ExpectFragment(BuildSidebarContent(ads, 1, false, ReadReferralValues()),
                   ExpectedFragment(VisitorHeading(href), true, NumberedAdBlock(1)));
  }

  platform::ScopedRegistryReset registry_;
};

TEST_F(VisitorSidebarTest, AReferralIdCreditsTheReferrerOnTheReferralSite) {
  Store("ReferalId", "48213");
  ExpectJoinLink(Widen(soap::kReferralSite) + u"default.aspx?mrid=48213");
}

TEST_F(VisitorSidebarTest, AReferralIdWinsOverASubDomain) {
  Store("ReferalId", "48213");
  Store("ReferalSubDomain", "bob");
  ExpectJoinLink(Widen(soap::kReferralSite) + u"default.aspx?mrid=48213");
}

TEST_F(VisitorSidebarTest, ASubDomainAloneLeadsToTheReferrersOwnSite) {
  Store("ReferalSubDomain", "bob-smith.shop2");
  ExpectJoinLink(u"http://bob-smith.shop2" + Widen(soap::kReferralDomain) + u"/default.aspx");
}

TEST_F(VisitorSidebarTest, WithoutReferralValuesTheLinkJoinsFree) {
  ExpectJoinLink(Widen(soap::kWebSite) + u"default.aspx?is=joinfree");
  Store("ReferalId", "");
  ExpectJoinLink(Widen(soap::kWebSite) + u"default.aspx?is=joinfree");
}

TEST_F(VisitorSidebarTest, AnUnopenableKeyJoinsFree) {
  Store("ReferalId", "48213");
  platform::DenyRegistryOpen(HKEY_LOCAL_MACHINE, kReferralKey);
  ExpectJoinLink(Widen(soap::kWebSite) + u"default.aspx?is=joinfree");
}

TEST_F(VisitorSidebarTest, AHostileReferralIdStaysOneQueryValue) {
  Store("ReferalId", "1\" onmouseover=\"x()\"&is=joinfree#<b>\xe9");
  ExpectJoinLink(
      Widen(soap::kReferralSite) +
      u"default.aspx?mrid=1%22%20onmouseover%3D%22x%28%29%22%26is%3Djoinfree%23%3Cb%3E%C3%A9");
}

TEST_F(VisitorSidebarTest, AHostileSubDomainCountsAsAbsent) {
  for (const char* subDomain :
       {"evil.example/x?", "a\"><script>", "bob.", ".bob", "b b", "bob\xe9", "a..b"}) {
    SCOPED_TRACE(subDomain);
    Store("ReferalSubDomain", subDomain);
    ExpectJoinLink(Widen(soap::kWebSite) + u"default.aspx?is=joinfree");
  }
}

TEST_F(VisitorSidebarTest, AVisitorWithoutAdsHasNoFreshContentMarker) {
  Store("ReferalSubDomain", "bob");
  ExpectFragment(
      BuildSidebarContent(soap::ResultArray<soap::AdEntry>(), 0, false, ReadReferralValues()),
      ExpectedFragment(
          VisitorHeading(u"http://bob" + Widen(soap::kReferralDomain) + u"/default.aspx"), false,
          u""));
}

}  // namespace
}  // namespace session
