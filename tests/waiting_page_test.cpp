// The sidebar's waiting page as the module carries it: the sidebar window
// navigates to "res://" + module path + "/ad.htm" and later inserts the ads
// into this document, whose script the ads' click handlers call.
#include <gtest/gtest.h>

#include <string_view>

#include "platform/resources/ModuleResources.h"

namespace {

TEST(WaitingPage, IsEmbeddedAsAnHtmlResource) {
  const auto page = platform::FindModuleResource("HTML", "AD.HTM");
  ASSERT_TRUE(page.has_value());
  EXPECT_TRUE(page->starts_with("<html>"));
  EXPECT_TRUE(page->ends_with("</html>\n"));
  EXPECT_TRUE(platform::FindModuleResource("html", "ad.htm").has_value());
}

TEST(WaitingPage, ShowsTheTitleAndTheLoadingText) {
  const std::string_view page = platform::FindModuleResource("HTML", "AD.HTM").value_or("");
  EXPECT_NE(page.find("<title>Vimaru Search - Ads By QX</title>"), page.npos);
  EXPECT_NE(page.find("<div id=\"loading\">Please wait while we retrieve some ads for you."
                      "<br><br><img src=\"http://ads.vimaru.com/images/loading.gif\"></div>"),
            page.npos);
}

TEST(WaitingPage, DefinesWhatTheInsertedAdsCall) {
  const std::string_view page = platform::FindModuleResource("HTML", "AD.HTM").value_or("");
  for (std::string_view definition :
       {"var qxLastClick = '';", "var qxNoClick = 0;", "var qxIsOpenAd = false;",
        "function QxAdClick()", "function QxGlobalClick()", "function CreateVimaruPopup(url)",
        "<title>Ads Popup</title>"}) {
    EXPECT_NE(page.find(definition), page.npos) << definition;
  }
  // The script must come before the body, so the functions exist by the time
  // any ad can be clicked.
  EXPECT_LT(page.find("function CreateVimaruPopup(url)"), page.find("<body>"));
}

}  // namespace
