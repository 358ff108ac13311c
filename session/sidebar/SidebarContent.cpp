#include "session/sidebar/SidebarContent.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "platform/text/CodePage.h"
#include "platform/text/MarkupEscapes.h"
#include "platform/trace/Trace.h"
#include "session/sidebar/ClickUrl.h"
#include "session/sidebar/JoinLink.h"
#include "soap/ServiceConfig.h"

namespace session {
namespace {

// The script and style sheet go out unchanged with every fragment, one
// piece per line. The script throttles clicks (at most two popups per fresh
// content, 8 s apart) and opens the popup that frames a click URL.
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

constexpr std::u16string_view kStyleSheet =
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

// Marks the content as fresh for QxAdClick's click count.
constexpr std::u16string_view kNewElementsMarker =
    u"<input type='hidden' value='newElements' id='hdNewElements' name='hdNewElementsName'/>";

constexpr std::u16string_view kRule = u"<hr size=1>";

std::u16string_view MemberHeading(int shown) {
  if (shown >= 3) return u"<div class=\"text\">Choose 2 Ads max</div>";
  if (shown == 2) return u"<div class=\"text\">Choose Ads</div>";
  if (shown == 1) return u"<div class=\"text\">Choose Ad</div>";
  return u"<div class=\"text\">No ads to display</div>";
}

void AppendLink(std::u16string& html, std::u16string_view url) {
  html += u"<a href=\"";
  html += platform::EscapeHtml(url);
  html += u"\" target=\"_blank\" class=\"qx\">";
}

void AppendVisitorHeading(std::u16string& html, const ReferralValues& referral) {
  html += u"<div class=\"adTop\">Time is Money. ";
  AppendLink(html, JoinLinkUrl(referral));
  html += u"Join Free.</a></div>";
}

void AppendText(std::u16string& html, const soap::SoapString& text) {
  if (text) html += platform::EscapeHtml(*text);
}

// What follows <a href='javascript:void(0)' in both of an ad's anchors: the
// click action and the end of the tag, or only the end of the tag.
std::u16string AnchorTail(const soap::SoapString& clickUrl) {
  const std::optional<std::u16string> url = ClickActionUrl(clickUrl);
  if (!url) return u">";
  return u"onClick=\"if(QxAdClick()){ CreateVimaruPopup('" +
         platform::EscapeHtml(platform::EscapeScriptString(*url)) + u"');}\">";
}

void AppendAd(std::u16string& html, const soap::AdEntry& ad) {
  const std::u16string anchorTail = AnchorTail(ad.ClickUrl);
  html += u"<div class=\"adholder\"><h3 class=\"adheader\"><a href='javascript:void(0)'";
  html += anchorTail;
  AppendText(html, ad.Title);
  html += u"</a></h3><p class=\"adinfo\">";
  AppendText(html, ad.Description);
  html += u"</p><p class=\"adlink\"><a href='javascript:void(0)'";
  html += anchorTail;
  AppendText(html, ad.Url);
  html += u"</a></p></div>";
  html += kRule;
}

void AppendBrandMark(std::u16string& html) {
  html += u"<div class=\"text\" id=\"right\">ads by ";
  AppendLink(html, platform::AnsiToWide(soap::kAdBrandSite));
  html +=
      u"<span style=\"color:#030397; font-weight:bold;\">Q</span>"
      u"<span style=\"color:#FF6600; font-weight:bold;\">X</span></a></div></div>";
}

std::u16string Build(const soap::ResultArray<soap::AdEntry>& ads, int count, bool member,
                     const ReferralValues& referral) {
  const int shown = std::clamp(count, 0, ads.Count());
  std::u16string html(kScript);
  html += kStyleSheet;
  html += u"<div class=\"parent\">";
  if (member) {
    html += MemberHeading(shown);
  } else {
    AppendVisitorHeading(html, referral);
  }
  html += kRule;
  if (shown > 0) html += kNewElementsMarker;
  for (int i = 0; i < shown; ++i) AppendAd(html, ads[static_cast<std::size_t>(i)]);
  AppendBrandMark(html);
  return html;
}

}  // namespace

// Contained by hand: this operation's trace line ends in "Exception", with
// the capital that platform::Contain's "exception" lacks.
std::u16string BuildSidebarContent(const soap::ResultArray<soap::AdEntry>& ads, int count,
                                   bool member, const ReferralValues& referral) noexcept {
  try {
    return Build(ads, count, member, referral);
  } catch (...) {
    platform::TraceStep("QXThread::SetSidebarContent", "Exception");
    return {};
  }
}

}  // namespace session
