#include "soap/utils/CUtilsT.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "soap/ads/SoapTestAnswers.h"
#include "soap/runtime/CSoapRootHandler.h"
#include "soap/utils/UtilsTables.h"

namespace Utils {
namespace {

using soap::SoapClientError;
using soap::testing::AnswerWith;
using soap::testing::ExpectedBody;
using soap::testing::HttpAnswer;
using soap::testing::ResponseEnvelope;

const std::string kNamespace = soap::UtilsServiceNamespace;

std::string UtilsResponse(std::string_view operation, std::string_view content) {
  return HttpAnswer("200 OK", ResponseEnvelope(operation, kNamespace, content));
}

TEST(UtilsTables, SoapActionLineOfEveryOperationIsNamespacePlusName) {
  const struct {
    const soap::SoapOperation& operation;
    const char* name;
  } kCases[] = {
      {kStatistics, "Statistics"},
      {kStatisticsEx, "StatisticsEx"},
      {kEnroll, "Enroll"},
      {kLogin, "Login"},
      {kVersionInfo2, "VersionInfo2"},
      {kGetEncryptedUserIDFromLogin, "GetEncryptedUserIDFromLogin"},
      {kVersionInfo, "VersionInfo"},
      {kSSO, "SSO"},
      {kStatisticsExCheckCookie, "StatisticsExCheckCookie"},
      {kLogError, "LogError"},
  };
  for (const auto& test : kCases) {
    EXPECT_EQ(soap::SoapActionLine(*test.operation.body),
              "SOAPAction: \"" + kNamespace + test.name + "\"\r\n");
  }
  EXPECT_TRUE(kNamespace.ends_with("/Utils/"));
}

// The int and string spellings of OfferID, and the member-id element's case.
TEST(UtilsTables, ParameterTypesFollowTheServiceNotEachOther) {
  LoginParams login;
  login.Email = u"a@b.c";
  login.SecurityQuestionId = 2;
  login.SecurityQuestionAnswer = u"";
  login.OfferID = 60;
  std::string body;
  ASSERT_TRUE(soap::CSoapRootHandler::GenerateRequest(body, kLogin, &login));
  EXPECT_EQ(body,
            ExpectedBody("Login", kNamespace,
                         "<Email>a@b.c</Email><Password xsi:nil=\"1\"/>"
                         "<SecurityQuestionId>2</SecurityQuestionId>"
                         "<SecurityQuestionAnswer></SecurityQuestionAnswer><OfferID>60</OfferID>"));

  SSOParams sso;
  sso.OfferID = u"60";
  sso.EncMemberID = u"M&1";
  body.clear();
  ASSERT_TRUE(soap::CSoapRootHandler::GenerateRequest(body, kSSO, &sso));
  EXPECT_EQ(body, ExpectedBody("SSO", kNamespace,
                               "<OfferID>60</OfferID><EncMemberID>M&amp;1</EncMemberID>"));

  StatisticsExCheckCookieParams none;
  body.clear();
  ASSERT_TRUE(soap::CSoapRootHandler::GenerateRequest(body, kStatisticsExCheckCookie, &none));
  EXPECT_EQ(body, ExpectedBody("StatisticsExCheckCookie", kNamespace, ""));
}

TEST(UtilsTables, LogErrorWritesStringArraysItemByItemAndTheBlockAsBase64) {
  LogErrorParams params;
  params.Param1 = {u"first", std::nullopt, u"<x>"};
  params.Param3 = {u""};
  params.Param6 = {'h', 'i', 0x00, 0xFF};
  std::string body;
  ASSERT_TRUE(soap::CSoapRootHandler::GenerateRequest(body, kLogError, &params));
  EXPECT_EQ(
      body,
      ExpectedBody("LogError", kNamespace,
                   "<Param1><string>first</string><string xsi:nil=\"1\"/><string>&lt;x&gt;</string>"
                   "</Param1><Param2></Param2><Param3><string></string></Param3><Param4></Param4>"
                   "<Param5></Param5><Param6>aGkA/w==</Param6>"));
}

TEST(CUtilsT, LoginPostsTheExactRequestAndReadsLoginInfo) {
  test_support::ScriptedPeer peer;
  peer.Serve({AnswerWith(UtilsResponse("Login",
                                       "<LoginResult><LoginStatus>OK</LoginStatus><UserName>Ann</"
                                       "UserName><EncMemberId>E1</EncMemberId>"
                                       "<SSO>tok</SSO></LoginResult>"))});
  CUtils proxy(peer.Url("/utils/utils.asmx"));
  LoginInfo info;
  ASSERT_EQ(proxy.Login(u"ann@example.com", u"p\u00E9ss", 3, u"Rex", 60, &info), S_OK);
  EXPECT_EQ(info.LoginStatus, u"OK");
  EXPECT_FALSE(info.OfferStatus.has_value());
  EXPECT_EQ(info.UserName, u"Ann");
  EXPECT_EQ(info.EncMemberId, u"E1");
  EXPECT_EQ(info.SSO, u"tok");

  const test_support::PeerRecord record = peer.Finish();
  ASSERT_EQ(record.problem, "");
  const std::string body =
      ExpectedBody("Login", kNamespace,
                   "<Email>ann@example.com</Email><Password>p&#x00E9;ss</Password>"
                   "<SecurityQuestionId>3</SecurityQuestionId>"
                   "<SecurityQuestionAnswer>Rex</SecurityQuestionAnswer><OfferID>60</OfferID>");
  EXPECT_EQ(
      record.connections.at(0).requests.at(0),
      soap::testing::ExpectedSoapRequest(peer, "/utils/utils.asmx", kNamespace + "Login", body));
}

// The login dialog decides on EncMemberId alone, so an empty one must come
// through as empty (not null, not a failure) even when a status is present;
// and an answer without LoginResult is a success with an empty record.
TEST(CUtilsT, LoginAnswersWithoutAMemberIdAreReadAsTheyAre) {
  test_support::ScriptedPeer peer;
  peer.Serve(
      {AnswerWith(UtilsResponse("Login",
                                "<LoginResult><LoginStatus>Failed</LoginStatus><EncMemberId />"
                                "</LoginResult>")),
       AnswerWith(UtilsResponse("Login", ""))});
  {
    CUtils proxy(peer.Url("/utils/utils.asmx"));
    LoginInfo info;
    ASSERT_EQ(proxy.Login(u"a", u"b", 1, u"c", 60, &info), S_OK);
    EXPECT_EQ(info.LoginStatus, u"Failed");
    EXPECT_EQ(info.EncMemberId, u"");
  }
  {
    CUtils proxy(peer.Url("/utils/utils.asmx"));
    LoginInfo info;
    info.EncMemberId = u"stale";
    ASSERT_EQ(proxy.Login(u"a", u"b", 1, u"c", 60, &info), S_OK);
    EXPECT_FALSE(info.EncMemberId.has_value());
    EXPECT_FALSE(info.LoginStatus.has_value());
  }
  EXPECT_EQ(peer.Finish().problem, "");
}

TEST(CUtilsT, VersionInfoNeedsItsFourNumbersButNotItsStrings) {
  const struct {
    const char* situation;
    const char* result;
    bool succeeds;
  } kCases[] = {
      {"complete",
       "<VersionInfoResult><DesktopVersionId>7</DesktopVersionId><DownloadURL>http://d/s.exe</"
       "DownloadURL>"
       "<OfferId>60</OfferId><pFrequency>24</pFrequency><UpgradeRequired>true</UpgradeRequired>"
       "<VersionNumber>2.0.0.2</VersionNumber></VersionInfoResult>",
       true},
      {"without DownloadURL and VersionNumber",
       "<VersionInfoResult><DesktopVersionId>7</DesktopVersionId><OfferId>60</"
       "OfferId><pFrequency>24</pFrequency>"
       "<UpgradeRequired>false</UpgradeRequired></VersionInfoResult>",
       true},
      {"without UpgradeRequired",
       "<VersionInfoResult><DesktopVersionId>7</DesktopVersionId><OfferId>60</"
       "OfferId><pFrequency>24</pFrequency>"
       "</VersionInfoResult>",
       false},
      {"without DesktopVersionId",
       "<VersionInfoResult><OfferId>60</OfferId><pFrequency>24</pFrequency><UpgradeRequired>0</"
       "UpgradeRequired>"
       "</VersionInfoResult>",
       false},
      {"pFrequency beyond 32 bits",
       "<VersionInfoResult><DesktopVersionId>7</DesktopVersionId><OfferId>60</OfferId>"
       "<pFrequency>4294967296</pFrequency><UpgradeRequired>0</UpgradeRequired></"
       "VersionInfoResult>",
       false},
      {"UpgradeRequired not a boolean",
       "<VersionInfoResult><DesktopVersionId>7</DesktopVersionId><OfferId>60</"
       "OfferId><pFrequency>24</pFrequency>"
       "<UpgradeRequired>yes</UpgradeRequired></VersionInfoResult>",
       false},
  };
  for (const auto& test : kCases) {
    SCOPED_TRACE(test.situation);
    test_support::ScriptedPeer peer;
    peer.Serve({AnswerWith(UtilsResponse("VersionInfo", test.result))});
    CUtils proxy(peer.Url("/utils/utils.asmx"));
    DesktopVersion version;
    const HRESULT hr = proxy.VersionInfo(60, &version);
    EXPECT_EQ(SUCCEEDED(hr), test.succeeds);
    EXPECT_EQ(proxy.GetClientError(),
              test.succeeds ? SoapClientError::kSuccess : SoapClientError::kParseError);
    if (test.succeeds) {
      EXPECT_EQ(version.DesktopVersionId, 7);
    }
    EXPECT_EQ(peer.Finish().problem, "");
  }
}

TEST(CUtilsT, EnrollFailsWithoutItsBooleanResult) {
  test_support::ScriptedPeer peer;
  peer.Serve({AnswerWith(UtilsResponse("Enroll", "<EnrollResult>true</EnrollResult>")),
              AnswerWith(UtilsResponse("Enroll", ""))});
  bool enrolled = false;
  {
    CUtils proxy(peer.Url("/utils/utils.asmx"));
    ASSERT_EQ(proxy.Enroll(u"60", u"E1", &enrolled), S_OK);
    EXPECT_TRUE(enrolled);
  }
  {
    CUtils proxy(peer.Url("/utils/utils.asmx"));
    enrolled = false;
    EXPECT_LT(proxy.Enroll(u"60", u"E1", &enrolled), 0);
    EXPECT_EQ(proxy.GetClientError(), SoapClientError::kParseError);
  }
  EXPECT_EQ(peer.Finish().problem, "");
}

}  // namespace
}  // namespace Utils
