#include "platform/registrar/RegistrarScript.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/registrar/RegistrarLimits.h"
#include "platform/registrar/RegistrarVariables.h"

namespace platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

RegistrarScript Parse(std::string_view text) {
  RegistrarParseResult result = ParseRegistrarScript(text);
  EXPECT_TRUE(result.script) << result.error.reason << " at " << result.error.offset;
  return result.script.value_or(RegistrarScript{});
}

TEST(RegistrarScript, ReadsNestingRemovalsAndValueTypes) {
  const RegistrarScript script = Parse(
      "HKCR\r\n{\r\n"
      "\tNoRemove CLSID\n"
      "\t{\n"
      "\t\tForceRemove {736FA7B4-0557-11DB-95BA-00C09F713765} = s 'Toolbar'\n"
      "\t\t{\n"
      "\t\t\tInprocServer32 = s 'C:\\dir\\m.dll' { val ThreadingModel = s 'Apartment' }\n"
      "\t\t\t'Programmable'\n"
      "\t\t}\n"
      "\t}\n"
      "}\n"
      "hkey_current_user { Bars { val BarSize = b '2301000000000000' val N = d 0x10 } }");
  ASSERT_EQ(script.roots.size(), 2u);
  EXPECT_EQ(script.roots[0].hive, HKEY_CLASSES_ROOT);
  EXPECT_EQ(script.roots[1].hive, HKEY_CURRENT_USER);

  const RegistrarKey& clsid = script.roots[0].keys.at(0);
  EXPECT_EQ(clsid.name, "CLSID");
  EXPECT_EQ(clsid.removal, RegistrarRemoval::kNoRemove);
  EXPECT_TRUE(clsid.values.empty());
  const RegistrarKey& object = clsid.subkeys.at(0);
  EXPECT_EQ(object.name, "{736FA7B4-0557-11DB-95BA-00C09F713765}");
  EXPECT_EQ(object.removal, RegistrarRemoval::kForceRemove);
  ASSERT_EQ(object.values.size(), 1u);
  EXPECT_EQ(object.values[0].name, "");
  EXPECT_EQ(object.values[0].type, REG_SZ);
  EXPECT_EQ(object.values[0].data, Bytes({'T', 'o', 'o', 'l', 'b', 'a', 'r', 0}));
  ASSERT_EQ(object.subkeys.size(), 2u);
  const RegistrarKey& server = object.subkeys[0];
  EXPECT_EQ(server.removal, RegistrarRemoval::kPlain);
  ASSERT_EQ(server.values.size(), 2u);
  EXPECT_EQ(server.values[1].name, "ThreadingModel");
  EXPECT_EQ(object.subkeys[1].name, "Programmable");
  EXPECT_TRUE(object.subkeys[1].values.empty());

  const RegistrarKey& bars = script.roots[1].keys.at(0);
  ASSERT_EQ(bars.values.size(), 2u);
  EXPECT_EQ(bars.values[0].type, REG_BINARY);
  EXPECT_EQ(bars.values[0].data, Bytes({0x23, 0x01, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(bars.values[1].type, REG_DWORD);
  EXPECT_EQ(bars.values[1].data, Bytes({0x10, 0, 0, 0}));
}

TEST(RegistrarScript, QuotesCarrySpacesKeywordsAndDoubledQuotes) {
  const RegistrarScript script = Parse(
      "HKLM { 'Internet Explorer' { 'NoRemove' = s 'it''s' { val 'Default Visible' = s '' } "
      "'val' '{' } }");
  const RegistrarKey& explorer = script.roots.at(0).keys.at(0);
  EXPECT_EQ(explorer.name, "Internet Explorer");
  ASSERT_EQ(explorer.subkeys.size(), 3u);
  const RegistrarKey& quotedKeyword = explorer.subkeys[0];
  EXPECT_EQ(quotedKeyword.name, "NoRemove");
  EXPECT_EQ(quotedKeyword.removal, RegistrarRemoval::kPlain);
  EXPECT_EQ(quotedKeyword.values.at(0).data, Bytes({'i', 't', '\'', 's', 0}));
  EXPECT_EQ(quotedKeyword.values.at(1).name, "Default Visible");
  EXPECT_EQ(quotedKeyword.values.at(1).data, Bytes({0}));
  EXPECT_EQ(explorer.subkeys[1].name, "val");
  EXPECT_EQ(explorer.subkeys[2].name, "{");
}

TEST(RegistrarScript, KeywordsRootsAndTypesIgnoreCase) {
  const RegistrarScript script =
      Parse("hkcu { noremove A { FORCEREMOVE B = S 'x' { VAL n = D '7' VAL m = B 'aB' } } }");
  const RegistrarKey& a = script.roots.at(0).keys.at(0);
  EXPECT_EQ(a.removal, RegistrarRemoval::kNoRemove);
  const RegistrarKey& b = a.subkeys.at(0);
  EXPECT_EQ(b.removal, RegistrarRemoval::kForceRemove);
  EXPECT_EQ(b.values.at(1).data, Bytes({7, 0, 0, 0}));
  EXPECT_EQ(b.values.at(2).data, Bytes({0xAB}));
}

TEST(RegistrarScript, RejectsMalformedScripts) {
  const struct {
    std::string_view script;
    std::string_view why;
  } cases[] = {
      {"HKXX { A }", "unknown root"},
      {"'HKCR' { A }", "quoted root"},
      {"HKCR A", "root without braces"},
      {"HKCR { A", "unclosed root"},
      {"HKCR { A { B }", "unclosed key"},
      {"HKCR { A } }", "stray brace"},
      {"HKCR { A = x 'v' }", "unknown value type"},
      {"HKCR { A = s }", "missing value"},
      {"HKCR { A = s 'v }", "unterminated quote"},
      {"HKCR { A { val = s 'v' } }", "value without a name"},
      {"HKCR { A { val N s 'v' } }", "value without '='"},
      {"HKCR { A { val N = d 'x1' } }", "bad number"},
      {"HKCR { A { val N = d '4294967296' } }", "number past 32 bits"},
      {"HKCR { A { val N = b '123' } }", "odd hex digits"},
      {"HKCR { A { val N = b 'zz' } }", "bad hex digit"},
      {"HKCR { NoRemove { } }", "modifier without a name"},
      {"HKCR { '' }", "empty key name"},
      {"HKCR { 'A\\B' }", "key name with a backslash"},
      {"HKCR { = s 'v' }", "value without a key"},
  };
  for (const auto& c : cases) {
    const RegistrarParseResult result = ParseRegistrarScript(c.script);
    EXPECT_FALSE(result.script) << c.why;
    EXPECT_FALSE(result.error.reason.empty()) << c.why;
  }
}

TEST(RegistrarScript, BoundsDepthAndLengths) {
  std::string nested = "HKCR {";
  for (std::size_t i = 0; i < kMaxRegistrarKeyDepth; ++i) nested += " K {";
  std::string closing;
  for (std::size_t i = 0; i < kMaxRegistrarKeyDepth; ++i) closing += " }";
  EXPECT_TRUE(ParseRegistrarScript(nested + closing + " }").script);
  EXPECT_FALSE(ParseRegistrarScript(nested + " K" + closing + " }").script);

  std::string unbounded = "HKCR {";
  for (int i = 0; i < 100000; ++i) unbounded += " K {";
  EXPECT_FALSE(ParseRegistrarScript(unbounded).script);

  const std::string longestName(kMaxRegistrarKeyNameLength, 'k');
  EXPECT_TRUE(ParseRegistrarScript("HKCR { " + longestName + " }").script);
  EXPECT_FALSE(ParseRegistrarScript("HKCR { " + longestName + "k }").script);

  const std::string longestToken(kMaxRegistrarTokenLength, 'v');
  EXPECT_TRUE(ParseRegistrarScript("HKCR { A = s '" + longestToken + "' }").script);
  EXPECT_FALSE(ParseRegistrarScript("HKCR { A = s '" + longestToken + "v' }").script);
  EXPECT_FALSE(ParseRegistrarScript("HKCR { A = s " + longestToken + "v }").script);

  std::string huge = "HKCR {";
  huge.resize(kMaxRegistrarScriptLength + 1, ' ');
  EXPECT_FALSE(ParseRegistrarScript(huge + "}").script);
}

TEST(RegistrarVariables, ReplacesNamesDoublesQuotesAndKeepsPercents) {
  const RegistrarReplacement replacements[] = {{"MODULE", "C:\\it's\\m.dll"}, {"N", "1"}};
  EXPECT_EQ(ExpandRegistrarVariables("a '%module%,224' %N%%% %%N", replacements),
            "a 'C:\\it''s\\m.dll,224' 1% %N");
  EXPECT_EQ(ExpandRegistrarVariables("", replacements), "");
  EXPECT_EQ(ExpandRegistrarVariables("%OTHER%", replacements), std::nullopt);
  EXPECT_EQ(ExpandRegistrarVariables("100%", replacements), std::nullopt);

  const std::string big(kMaxRegistrarScriptLength / 2, 'x');
  const RegistrarReplacement bigValue[] = {{"BIG", big}};
  EXPECT_TRUE(ExpandRegistrarVariables("%BIG%%BIG%", bigValue));
  EXPECT_EQ(ExpandRegistrarVariables("%BIG%%BIG%%BIG%", bigValue), std::nullopt);
}

}  // namespace
}  // namespace platform
