#include "tools/refservice/ServiceData.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tools/refservice/RecordFile.h"
#include "tools/refservice/SoapEnvelope.h"
#include "tools/refservice/SoapRequest.h"

namespace refservice {
namespace {

TEST(ServiceData, RepositoryDataLoads) {
  const ServiceData data = LoadServiceData(DefaultDataDirectory());
  EXPECT_GE(data.categories.size(), 30u);
  for (const Category& category : data.categories) {
    // The toolbar lower-cases page text before matching, so upper case never matches.
    for (const char c : category.label) EXPECT_FALSE(c >= 'A' && c <= 'Z') << category.label;
    EXPECT_LE(category.label.size(), 260u);
    EXPECT_FALSE(data.AdsForGroup(category.name).empty()) << category.name;
  }
  EXPECT_EQ(data.defaultGroup, "General");
  EXPECT_FALSE(data.blockedTerms.empty());
  ASSERT_NE(data.FindMemberById("9F3A7C21E4B04D55"), nullptr);
  EXPECT_EQ(data.FindMemberById("9F3A7C21E4B04D55")->statistics, "12.5,3,7,1");
  EXPECT_EQ(data.FindMemberById(""), nullptr);
  EXPECT_NE(data.version.versionNumber, "2.0.0.1");
}

TEST(ServiceData, ErrorsNameTheFileAndLine) {
  const auto directory =
      std::filesystem::temp_directory_path() / ("refservice-data-" + std::to_string(::getpid()));
  std::filesystem::remove_all(directory);
  std::filesystem::copy(DefaultDataDirectory(), directory,
                        std::filesystem::copy_options::recursive);
  std::ofstream(directory / "members.txt")
      << "# members\n\nemail: a@b\npassword: p\nquestion: two\n"
         "enc-member-id: 1\nsso: s\nstatistics: 0,0,0,0\n";
  try {
    LoadServiceData(directory);
    ADD_FAILURE() << "bad data loaded";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("members.txt:5: \"question\" is not an integer"),
              std::string::npos)
        << error.what();
  }
  std::filesystem::remove(directory / "version.txt");
  EXPECT_THROW(LoadServiceData(directory), std::runtime_error);
  std::filesystem::remove_all(directory);
}

TEST(RecordFile, BlocksCommentsAndRepeatedKeys) {
  const auto records = ParseRecords("# c\na: 1\nb:  two words \n\n\n a: 3\na: 4: five\n", "f");
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0][1].value, "two words");
  EXPECT_EQ(records[1][1].key, "a");
  EXPECT_EQ(records[1][1].value, "4: five");
  EXPECT_EQ(records[1][1].line, 7);
  EXPECT_THROW(ParseRecords("no colon here\n", "f"), std::runtime_error);
}

TEST(SoapEnvelope, EscapingOfElementContent) {
  const std::pair<std::string, std::string> cases[] = {
      {"a&b<c>d", "a&amp;b&lt;c&gt;d"},
      {"\"quoted\" 'single'", "\"quoted\" 'single'"},
      {"line\r\nnext\ttab", "line&#xD;\nnext\ttab"},
      {std::string("nul\0x", 5), "nul\xEF\xBF\xBDx"},
      {"Zo\xC3\xAB", "Zo\xC3\xAB"},
  };
  for (const auto& [text, escaped] : cases) EXPECT_EQ(EscapeXml(text), escaped);
}

TEST(SoapRequest, HeaderIsSkippedAndNilItemsKept) {
  const auto parsed = ParseSoapCall(
      "<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\" "
      "xmlns:i=\"http://www.w3.org/2001/XMLSchema-instance\"><s:Header><h/></s:Header><s:Body>"
      "<ns:LogError xmlns:ns=\"urn:x\"><Param1><string>a</string><string i:nil=\"true\"/></Param1>"
      "<Param2 i:nil=\"1\"/></ns:LogError></s:Body></s:Envelope>");
  ASSERT_TRUE(parsed.call) << parsed.error;
  EXPECT_EQ(parsed.call->operation, "LogError");
  EXPECT_EQ(parsed.call->namespaceUri, "urn:x");
  ASSERT_EQ(parsed.call->parameters.size(), 2u);
  ASSERT_EQ(parsed.call->parameters[0].items.size(), 2u);
  EXPECT_EQ(parsed.call->parameters[0].items[0], "a");
  EXPECT_FALSE(parsed.call->parameters[0].items[1]);
  EXPECT_TRUE(parsed.call->parameters[1].nil);
}

TEST(SoapRequest, EnvelopeProblemsAreReported) {
  EXPECT_FALSE(ParseSoapCall("").call);
  EXPECT_FALSE(ParseSoapCall("<Envelope/>").call);
  EXPECT_FALSE(
      ParseSoapCall("<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\"/>").call);
  EXPECT_FALSE(ParseSoapCall("<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\">"
                             "<s:Body/></s:Envelope>")
                   .call);
  EXPECT_TRUE(ParseSoapCall("<s:Envelope xmlns:s=\"http://www.w3.org/2003/05/soap-envelope\"/>")
                  .versionMismatch);
}

}  // namespace
}  // namespace refservice
