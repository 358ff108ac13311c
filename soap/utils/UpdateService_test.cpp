#include "soap/utils/UpdateService.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/com/ComInit.h"
#include "platform/trace/Trace.h"
#include "soap/ServiceConfig.h"
#include "soap/ads/SoapTestAnswers.h"

namespace soap {
namespace {

using testing::AnswerWith;
using testing::HttpAnswer;
using testing::ResponseEnvelope;

std::string VersionAnswer(std::string_view versionElement, std::string_view upgradeRequired) {
  std::string result =
      "<VersionInfoResult><DesktopVersionId>3</DesktopVersionId>"
      "<DownloadURL>http://127.0.0.1/download/VimaruSetup.exe</DownloadURL>"
      "<OfferId>60</OfferId><pFrequency>24</pFrequency><UpgradeRequired>";
  result += upgradeRequired;
  result += "</UpgradeRequired>";
  result += versionElement;
  result += "</VersionInfoResult>";
  return HttpAnswer("200 OK", ResponseEnvelope("VersionInfo", UtilsServiceNamespace, result));
}

TEST(UpdateService, OnlyTheVersionTextDecides) {
  const std::string kDownload = "http://127.0.0.1/download/VimaruSetup.exe";
  const struct {
    const char* situation;
    std::string versionElement;
    const char* upgradeRequired;
    std::string expected;
  } kCases[] = {
      {"same version, upgrade required", "<VersionNumber>2.0.0.1</VersionNumber>", "true", ""},
      {"same version", "<VersionNumber>2.0.0.1</VersionNumber>", "false", ""},
      {"newer version, no upgrade required", "<VersionNumber>2.0.0.2</VersionNumber>", "false",
       kDownload},
      {"older version", "<VersionNumber>1.9.9.9</VersionNumber>", "false", kDownload},
      {"same digits, other spelling", "<VersionNumber>2.0.0.1 </VersionNumber>", "false",
       kDownload},
      {"no version text", "", "false", kDownload},
  };
  for (const auto& test : kCases) {
    SCOPED_TRACE(test.situation);
    test_support::ScriptedPeer peer;
    peer.Serve({AnswerWith(VersionAnswer(test.versionElement, test.upgradeRequired))});
    EXPECT_EQ(UpdateService(peer.Url("/utils/utils.asmx")).bxUpdate(), test.expected);
    const test_support::PeerRecord record = peer.Finish();
    ASSERT_EQ(record.problem, "");
    EXPECT_NE(record.connections.at(0).requests.at(0).find("<OfferID>60</OfferID>"),
              std::string::npos);
  }
}

TEST(UpdateService, FailedCallAnswersEmptyAndPairsComInitialisation) {
  test_support::ScriptedPeer peer;
  peer.Serve({AnswerWith(HttpAnswer("404 Not Found", "")),
              AnswerWith(HttpAnswer("200 OK",
                                    ResponseEnvelope("VersionInfo", UtilsServiceNamespace,
                                                     "<VersionInfoResult><DesktopVersionId>3"
                                                     "</DesktopVersionId></VersionInfoResult>")))});
  const ULONG before = platform::ComInitCount();
  EXPECT_EQ(UpdateService(peer.Url("/utils/utils.asmx")).bxUpdate(), "");
  EXPECT_EQ(UpdateService(peer.Url("/utils/utils.asmx")).bxUpdate(), "");
  EXPECT_EQ(platform::ComInitCount(), before);
  EXPECT_EQ(peer.Finish().problem, "");
}

TEST(UpdateService, TracesTheVersionItWasTold) {
  test_support::ScriptedPeer peer;
  peer.Serve({AnswerWith(VersionAnswer("<VersionNumber>2.0.0.2</VersionNumber>", "false"))});
  std::vector<std::string> lines;
  {
    platform::ScopedTraceCapture capture([&](std::string_view line) { lines.emplace_back(line); });
    UpdateService(peer.Url("/utils/utils.asmx")).bxUpdate();
  }
  EXPECT_EQ(lines.front(), "UpdateService::Connect begin");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "UpdateService::bxUpdate Version: 2.0.0.2"),
            lines.end());
  EXPECT_EQ(lines.back(), "UpdateService::Connect end");
  EXPECT_EQ(peer.Finish().problem, "");
}

}  // namespace
}  // namespace soap
