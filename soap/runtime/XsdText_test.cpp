#include "soap/runtime/XsdText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace soap {
namespace {

TEST(XsdText, EscapesTextForElementContent) {
  struct Case {
    std::u16string input;
    std::string expected;
  } const cases[] = {
      {u"", ""},
      {u"plain ASCII 09 ~", "plain ASCII 09 ~"},
      {u"a&b<c", "a&amp;b&lt;c"},
      {u"\"quoted\" 'single' ]]>", "\"quoted\" 'single' ]]&gt;"},
      {u"\u00E9", "&#x00E9;"},
      {u"\u20AC\u00FF\u0080", "&#x20AC;&#x00FF;&#x0080;"},
      {u"tab\tline\ncr\r", "tab\tline\ncr&#x000D;"},
      {std::u16string(u"nul") + char16_t(0) + u"\x01", "nul&#x0000;&#x0001;"},
      {u"\U0001F600", "&#x01F600;"},
      {u"\U0010FFFF", "&#x10FFFF;"},
      {u"x\xD83D", "x&#xD83D;"},              // high surrogate at the end
      {u"\xD83Dy", "&#xD83D;y"},              // high surrogate before a non-surrogate
      {u"\xDE00z", "&#xDE00;z"},              // lone low surrogate
      {u"\xDE00\xD83D", "&#xDE00;&#xD83D;"},  // reversed pair is two lone halves
      {u"\x7F", "\x7F"},
  };
  for (const Case& c : cases) {
    std::string out;
    AppendEscapedText(out, c.input);
    EXPECT_EQ(out, c.expected);
  }
}

TEST(XsdText, WritesNumbersAndBooleans) {
  struct Case {
    double value;
    bool allowExponent;
    const char* expected;
  } const cases[] = {
      {0.0, false, "0"},
      {-0.0, false, "-0"},
      {0.1, false, "0.1"},
      {1.5, true, "1.5"},
      {-2.25, false, "-2.25"},
      {1e20, false, "100000000000000000000"},
      {1e20, true, "1e+20"},
      {123456789.125, false, "123456789.125"},
      {std::numeric_limits<double>::infinity(), false, "INF"},
      {-std::numeric_limits<double>::infinity(), true, "-INF"},
      {std::numeric_limits<double>::quiet_NaN(), false, "NaN"},
  };
  for (const Case& c : cases) {
    std::string out;
    AppendDouble(out, c.value, c.allowExponent);
    EXPECT_EQ(out, c.expected) << c.value;
  }
  std::string out;
  AppendInt(out, std::numeric_limits<std::int32_t>::min());
  out += ' ';
  AppendInt(out, 60);
  out += ' ';
  AppendBoolean(out, true);
  out += ' ';
  AppendBoolean(out, false);
  EXPECT_EQ(out, "-2147483648 60 true false");
}

TEST(XsdText, DecimalTextReadsBackToTheSameDouble) {
  for (double value : {0.1, 1.0 / 3, 5e-324, 1.7976931348623157e308, -123.456e-7}) {
    for (bool allowExponent : {false, true}) {
      std::string text;
      AppendDouble(text, value, allowExponent);
      EXPECT_EQ(ReadDouble(text), value) << text;
    }
  }
}

TEST(XsdText, Base64BreaksLinesAfterEvery76Characters) {
  SoapBytes bytes(114);  // 152 characters: two full lines
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  std::string out;
  AppendBase64(out, bytes);
  ASSERT_EQ(out.size(), 152u + 4u);
  EXPECT_EQ(out.substr(76, 2), "\r\n");
  EXPECT_EQ(out.substr(154, 2), "\r\n");
  EXPECT_EQ(ReadBase64(out), bytes);

  struct Case {
    std::string input;
    const char* expected;
  } const cases[] = {
      {"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"\xFF\xFE", "//4="}};
  for (const Case& c : cases) {
    std::string encoded;
    AppendBase64(encoded, SoapBytes(c.input.begin(), c.input.end()));
    EXPECT_EQ(encoded, c.expected);
    EXPECT_EQ(ReadBase64(encoded), SoapBytes(c.input.begin(), c.input.end()));
  }
}

TEST(XsdText, HexBinaryIsUpperCase) {
  std::string out;
  AppendHexBinary(out, {0x00, 0xAB, 0x1f});
  EXPECT_EQ(out, "00AB1F");
  EXPECT_EQ(ReadHexBinary("00ab1F"), (SoapBytes{0x00, 0xAB, 0x1F}));
  EXPECT_EQ(ReadHexBinary("0"), std::nullopt);
  EXPECT_EQ(ReadHexBinary("0g"), std::nullopt);
}

TEST(XsdText, ReadsIntsWithinRangeOnly) {
  struct Case {
    const char* text;
    std::optional<std::int32_t> expected;
  } const cases[] = {
      {"0", 0},
      {"60", 60},
      {" \t\n 42 \r\n", 42},
      {"+7", 7},
      {"-2147483648", INT32_MIN},
      {"2147483647", INT32_MAX},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"", std::nullopt},
      {" ", std::nullopt},
      {"+", std::nullopt},
      {"-", std::nullopt},
      {"+-1", std::nullopt},
      {"1.0", std::nullopt},
      {"1e3", std::nullopt},
      {"0x10", std::nullopt},
      {"4 2", std::nullopt},
      {"99999999999999999999", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadInt(c.text), c.expected) << '"' << c.text << '"';
}

TEST(XsdText, ReadsBooleansExactly) {
  EXPECT_EQ(ReadBoolean("true"), true);
  EXPECT_EQ(ReadBoolean("1"), true);
  EXPECT_EQ(ReadBoolean("false"), false);
  EXPECT_EQ(ReadBoolean("0"), false);
  for (const char* text : {"", "True", "TRUE", " true", "yes", "2", "01"}) {
    EXPECT_EQ(ReadBoolean(text), std::nullopt) << text;
  }
}

TEST(XsdText, ReadsDoublesAndTheirSpecialValues) {
  EXPECT_EQ(ReadDouble("INF"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadDouble("-INF"), -std::numeric_limits<double>::infinity());
  EXPECT_TRUE(std::isnan(*ReadDouble("NaN")));
  EXPECT_EQ(ReadDouble(" 1.25 "), 1.25);
  EXPECT_EQ(ReadDouble("+.5"), 0.5);
  EXPECT_EQ(ReadDouble("3."), 3.0);
  EXPECT_EQ(ReadDouble("-1E-2"), -0.01);
  for (const char* text : {"", ".", "inf", "nan", "infinity", "Infinity", "+INF", "1e", "1e+",
                           "0x1p3", "1,5", "1.5.2", "1e999", "--1"}) {
    EXPECT_EQ(ReadDouble(text), std::nullopt) << text;
  }
}

TEST(XsdText, RejectsMalformedBase64) {
  for (const char* text : {"Zg", "Zg=", "Z===", "Zg==Zg==", "Zm9v!", "=Zm9", "Zm9vZ"}) {
    EXPECT_EQ(ReadBase64(text), std::nullopt) << text;
  }
  EXPECT_EQ(ReadBase64(" Zm\r\n9v "), (SoapBytes{'f', 'o', 'o'}));
}

}  // namespace
}  // namespace soap
